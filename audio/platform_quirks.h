// Workarounds for the sound libraries of the platform: environment settings that must be in place
// before any thread starts, silencing of ALSA's and JACK's console chatter, and keeping ALSA's
// plugins loaded between two starts of PortAudio. Each is a no-op where it does not apply.
#pragma once

namespace platform_quirks {

// Sets what the sound libraries read from the environment (never start a JACK server just to
// look for devices). Call first thing in main(), before any thread exists: setenv is not safe
// while other threads may read the environment. [UI, not while playing], before any other
// thread starts.
void PrepareSoundEnvironment();

// Routes ALSA's, JACK's and PortAudio's own diagnostic printing to nowhere; our log says what
// failed. Call before starting PortAudio. [device]
void SilenceSoundLibraries();

// Keeps the ALSA plugins loaded so far (PulseAudio, JACK, rate converters) in memory when
// PortAudio ends, so that the next start is cheaper and leak checkers can still name their
// allocations at exit. Call right before ending PortAudio. [device]
void KeepAlsaPluginsLoaded();

}  // namespace platform_quirks
