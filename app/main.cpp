// Starts the editor: the application object runs the main dialog, whose pane plays on the
// default sound output.
#include "app/editor_app.h"
#include "audio/portaudio_device.h"

int main(int argc, char** argv) {
  // Before Qt starts any thread: the sound libraries read the environment.
  PortAudioDevice::PrepareEnvironment();
  EditorApp app(argc, argv);
  // Outlives the dialog, whose player plays on it until the dialog is destroyed.
  PortAudioDevice device;
  return app.Run(&device);
}
