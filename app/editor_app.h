// The application object: loads the button icons, runs the main dialog modally (restoring the last
// session first when the user asked for that) and ends when the dialog ends.
#pragma once

#include <QApplication>

#include "app/icon_resources.h"

class AudioDevice;

class EditorApp : public QApplication {
 public:
  EditorApp(int& argc, char** argv);

  // Runs the main dialog on `device` (not owned; null plays nowhere) until it ends, then
  // destroys it, which waits for any sound still playing to be wound up. Returns the exit code.
  int Run(AudioDevice* device);

  const ButtonIcons& Icons() const { return icons; }

 private:
  ButtonIcons icons;
};
