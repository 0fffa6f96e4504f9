#include "audio/platform_quirks.h"

#if defined(__linux__)
#include <alsa/asoundlib.h>
#include <dlfcn.h>
#include <link.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>
#endif

namespace platform_quirks {

#if defined(__linux__)

namespace {

// ALSA reports every device it probes that is not there, and JACK every server it does not find;
// none of that concerns the user.
void IgnoreAlsaMessage(const char*, int, const char*, int, const char*, ...) {}
void IgnoreJackMessage(const char*) {}  // also PortAudio's debug print hook

}  // namespace

void PrepareSoundEnvironment() {
  // Never start a JACK server just to look for devices; a setting of the user's own wins.
  setenv("JACK_NO_START_SERVER", "1", 0);
}

void SilenceSoundLibraries() {
  snd_lib_error_set_handler(&IgnoreAlsaMessage);
  // PortAudio brings the JACK client library along when it was built with JACK; its messages are
  // silenced through it if it is there. PortAudio's own assertion chatter when a sound server
  // goes away is silenced the same way.
  using SetHandler = void (*)(void (*)(const char*));
  for (const char* name :
       {"jack_set_error_function", "jack_set_info_function", "PaUtil_SetDebugPrintFunction"}) {
    if (auto set = reinterpret_cast<SetHandler>(dlsym(RTLD_DEFAULT, name))) set(&IgnoreJackMessage);
  }
}

void KeepAlsaPluginsLoaded() {
  std::vector<std::string> plugins;
  dl_iterate_phdr(
      [](dl_phdr_info* info, size_t, void* found) {
        if (info->dlpi_name != nullptr &&
            std::strstr(info->dlpi_name, "/alsa-lib/libasound_module_") != nullptr) {
          static_cast<std::vector<std::string>*>(found)->emplace_back(info->dlpi_name);
        }
        return 0;
      },
      &plugins);
  for (const std::string& path : plugins)
    dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
}

#else

void PrepareSoundEnvironment() {}
void SilenceSoundLibraries() {}
void KeepAlsaPluginsLoaded() {}

#endif

}  // namespace platform_quirks
