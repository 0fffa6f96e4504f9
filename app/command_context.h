// What the command groups work on: the edit session, the UI services, the window their shortcuts
// and dialogs belong to, and the pane their notes show beside. Never the dialog itself.
#pragma once

class EditSession;
class QWidget;
class UiServices;
class WaveEditor;

struct CommandContext {
  EditSession& session;
  UiServices* services;  // may be null: nothing is shown
  QWidget& window;
  WaveEditor& pane;
};
