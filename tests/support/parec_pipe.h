// Starts parec on a PulseAudio source, recording raw 16-bit mono at 44100 Hz to a pipe, for the
// tests and measuring tools that check what reached a sound server.
#pragma once

#include <spawn.h>
#include <sys/types.h>
#include <unistd.h>

#include <string>
#include <vector>

extern char** environ;

// The read end of parec's standard output, with pid set to its process; -1 (and pid -1) when it
// could not be started. `server` empty means the server PULSE_SERVER names.
inline int StartParec(const std::string& source, int latencyMs, const std::string& server,
                      pid_t& pid) {
  pid = -1;
  int fds[2];
  if (pipe(fds) != 0) return -1;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, fds[0]);
  posix_spawn_file_actions_addclose(&actions, fds[1]);
  std::vector<std::string> args = {"parec",
                                   "--device=" + source,
                                   "--format=s16le",
                                   "--rate=44100",
                                   "--channels=1",
                                   "--raw",
                                   "--latency-msec=" + std::to_string(latencyMs)};
  if (!server.empty()) args.push_back("--server=" + server);
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  const int spawned = posix_spawnp(&pid, "parec", &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(fds[1]);
  if (spawned != 0) {
    pid = -1;
    close(fds[0]);
    return -1;
  }
  return fds[0];
}
