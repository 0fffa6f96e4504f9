// Measures playback through the real sound device: plays the wave tone for a number of seconds
// and reports the process's CPU time while playing and how long Stop takes until the end of the
// sound; or writes the PCM that playback produces, for comparison with other players.
//
//   playback_tool play SECONDS [MONITOR_SOURCE]   the figures, as key=value lines
//   playback_tool close SECONDS                    how long destroying the playing player takes
//   playback_tool pcm SECONDS FILE                 raw s16le mono 44100 Hz of the same sound
//
// With MONITOR_SOURCE (a PulseAudio source such as "sink.monitor") parec records the sink while
// playing, and the time from Stop to the last sound the sink played is reported too.
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "audio/portaudio_device.h"
#include "synth/player.h"
#include "synth/tone.h"
#include "tests/support/parec_pipe.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int32_t kSampleRate = 44100;
constexpr int32_t kNote = 45;

// A 32-sample wave with a step at every sample, held.
std::string WaveText() {
  static const char kDigits[] = "0123456789abcdef";
  std::string text;
  for (int k = 0; k < 32; ++k) {
    const auto code = static_cast<uint8_t>(k * 53 + 17);
    text += kDigits[code >> 4];
    text += kDigits[code & 15];
  }
  return text;
}

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// CPU seconds of this process's threads of a name (the render thread names itself "zp-render").
double ThreadCpuSeconds(const std::string& name) {
  double total = 0;
  const long ticks = sysconf(_SC_CLK_TCK);
  for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
    std::ifstream comm(task.path() / "comm");
    std::string threadName;
    std::getline(comm, threadName);
    if (threadName != name) continue;
    std::ifstream stat(task.path() / "stat");
    std::string line;
    std::getline(stat, line);
    // Fields after the parenthesised name: state is field 3, utime and stime are 14 and 15.
    std::istringstream fields(line.substr(line.rfind(')') + 2));
    std::string field;
    double utime = 0;
    double stime = 0;
    for (int number = 3; fields >> field && number <= 15; ++number) {
      if (number == 14) utime = std::stod(field);
      if (number == 15) stime = std::stod(field);
    }
    total += (utime + stime) / static_cast<double>(ticks);
  }
  return total;
}

double Since(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// parec of a source, each chunk it delivers stamped with the time it arrived.
class Recorder {
 public:
  explicit Recorder(const std::string& source) {
    fd = StartParec(source, 5, "", pid);
    if (fd < 0) return;
    reader = std::thread([this] {
      std::vector<uint8_t> buffer(4096);
      for (;;) {
        const ssize_t got = read(fd, buffer.data(), buffer.size());
        if (got <= 0) break;
        std::lock_guard<std::mutex> held(mutex);
        bytes.insert(bytes.end(), buffer.begin(), buffer.begin() + got);
        arrivals.push_back({bytes.size(), Clock::now()});
      }
    });
  }

  ~Recorder() { Stop(); }

  bool Started() const { return pid > 0; }

  size_t ByteCount() {
    std::lock_guard<std::mutex> held(mutex);
    return bytes.size();
  }

  void Stop() {
    if (pid > 0) {
      kill(pid, SIGTERM);
      waitpid(pid, nullptr, 0);
      pid = -1;
    }
    if (reader.joinable()) reader.join();
    if (fd >= 0) close(fd);
    fd = -1;
  }

  // When the last non-zero sample was played by the sink: the arrival of its chunk, less the
  // playing time of the samples after it in that chunk. False when nothing was heard.
  bool LastSound(Clock::time_point& when) {
    std::lock_guard<std::mutex> held(mutex);
    size_t last = bytes.size() / 2;
    while (last > 0 && bytes[2 * last - 2] == 0 && bytes[2 * last - 1] == 0) --last;
    if (last == 0) return false;
    const size_t end = 2 * last;
    for (const auto& [count, time] : arrivals) {
      if (count < end) continue;
      const double after = static_cast<double>(count - end) / 2.0 / kSampleRate;
      when =
          time - std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(after));
      return true;
    }
    return false;
  }

 private:
  pid_t pid = -1;
  int fd = -1;
  std::thread reader;
  std::mutex mutex;
  std::vector<uint8_t> bytes;
  std::vector<std::pair<size_t, Clock::time_point>> arrivals;
};

int Play(double seconds, const char* monitor) {
  std::unique_ptr<Recorder> recorder;
  if (monitor != nullptr) {
    recorder = std::make_unique<Recorder>(monitor);
    const auto deadline = Clock::now() + std::chrono::seconds(10);
    while (recorder->Started() && recorder->ByteCount() < 8820 && Clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  }

  PortAudioDevice device;
  auto player = std::make_unique<Player>(&device);
  player->BuildDefaultTones();
  player->SetWave(WaveText(), 1);
  player->SetNote(kNote);

  const double cpuBefore = CpuSeconds();
  const auto started = Clock::now();
  player->Play();
  std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
  const double cpuPlaying = CpuSeconds() - cpuBefore;
  const double cpuRenderThread = ThreadCpuSeconds("zp-render");
  const double wallPlaying = Since(started);

  const auto stopped = Clock::now();
  player->Stop();
  while (player->IsPlaying()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  const double threadEnded = Since(stopped);

  std::printf("play_seconds=%.3f\n", wallPlaying);
  std::printf("cpu_seconds_playing=%.3f\n", cpuPlaying);
  std::printf("cpu_percent_playing=%.2f\n", 100.0 * cpuPlaying / wallPlaying);
  std::printf("cpu_seconds_render_thread=%.2f\n", cpuRenderThread);
  std::printf("stop_to_thread_end_ms=%.0f\n", threadEnded * 1000.0);
  if (recorder != nullptr) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1000));
    recorder->Stop();
    Clock::time_point last;
    if (recorder->LastSound(last)) {
      std::printf("stop_to_silence_ms=%.0f\n",
                  std::chrono::duration<double, std::milli>(last - stopped).count());
    } else {
      std::printf("stop_to_silence_ms=unknown\n");
    }
  }
  return 0;
}

// Closing the application while sound plays: the player is destroyed without a Stop.
int Close(double seconds) {
  PortAudioDevice device;
  auto player = std::make_unique<Player>(&device);
  player->BuildDefaultTones();
  player->SetWave(WaveText(), 1);
  player->SetNote(kNote);
  player->Play();
  std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
  const auto destroying = Clock::now();
  player.reset();
  std::printf("destroy_while_playing_ms=%.0f\n", Since(destroying) * 1000.0);
  return 0;
}

// The samples the render thread writes, rendered here without a device.
int WritePcm(double seconds, const char* path) {
  Player player;
  player.BuildDefaultTones();
  player.SetWave(WaveText(), 1);
  Tone* tone = player.Tones().GetTone(1);
  tone->SetSampleRate(kSampleRate);
  tone->SetNote(kNote, 0);
  std::FILE* file = std::fopen(path, "wb");
  if (file == nullptr) {
    std::perror(path);
    return 1;
  }
  const auto count = static_cast<int64_t>(seconds * kSampleRate);
  std::vector<uint8_t> bytes;
  bytes.reserve(static_cast<size_t>(count) * 2);
  for (int64_t i = 0; i < count; ++i) {
    const int32_t value =
        std::clamp(tone->Render(static_cast<int32_t>(i % 3145729), 0), -32768, 32767);
    const auto bits = static_cast<uint16_t>(static_cast<int16_t>(value));
    bytes.push_back(static_cast<uint8_t>(bits & 0xff));
    bytes.push_back(static_cast<uint8_t>(bits >> 8));
  }
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  PortAudioDevice::PrepareEnvironment();
  const std::string mode = argc > 1 ? argv[1] : "";
  const double seconds = argc > 2 ? std::atof(argv[2]) : 10.0;
  if (mode == "play" && seconds > 0) return Play(seconds, argc > 3 ? argv[3] : nullptr);
  if (mode == "close" && seconds > 0) return Close(seconds);
  if (mode == "pcm" && seconds > 0 && argc > 3) return WritePcm(seconds, argv[3]);
  std::fprintf(stderr,
               "usage: %s play SECONDS [MONITOR_SOURCE] | close SECONDS | pcm SECONDS FILE\n",
               argv[0]);
  return 2;
}
