// The clipboard and message-box services the editing pane calls, behind an interface so that
// tests can supply clipboard text and collect messages without showing a box.
#pragma once

#include <optional>
#include <string>

#include "formats/text_message.h"

// The answers to "Save changes to NAME?".
enum class SaveAnswer { kSave, kDiscard, kCancel };
// The answers before a save would put less into a file than it holds.
enum class OverwriteAnswer { kOverwrite, kSaveAs, kCancel };

class UiServices {
 public:
  virtual ~UiServices() = default;
  // False when the clipboard cannot be opened.
  virtual bool OpenClipboard() = 0;
  virtual void CloseClipboard() = 0;
  // Replaces the whole clipboard with plain text; false when that failed.
  virtual bool SetClipboardText(const std::string& text) = 0;
  // Plain text (UTF-8 bytes), or nothing when the clipboard holds no text.
  virtual std::optional<std::string> GetClipboardText() = 0;
  // Modal message with an OK button, in the interface's language.
  virtual void ShowMessage(const TextMessage& message) = 0;
  // Asks whether to save the changes to the file `fileName` before closing: Save, Discard or
  // Cancel, in the interface's language.
  virtual SaveAnswer AskSaveChanges(const std::string& fileName) = 0;
  // Asks `question` (what the file holds and what the save would write instead): overwrite the
  // file, save as another, or cancel, in the interface's language.
  virtual OverwriteAnswer AskOverwrite(const TextMessage& question) = 0;
};
