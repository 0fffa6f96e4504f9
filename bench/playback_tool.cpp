// Measures playback through the real sound device: plays the wave tone for a number of seconds
// and reports the process's CPU time while playing and how long Stop takes until the end of the
// sound; or writes the PCM that playback produces, for comparison with other players.
//
//   playback_tool play SECONDS [MONITOR_SOURCE]   the figures, as key=value lines
//   playback_tool close SECONDS                    how long destroying the playing player takes
//   playback_tool pcm SECONDS FILE                 raw s16le mono 44100 Hz of the same sound
//   playback_tool verify SECONDS MONITOR_SOURCE    plays while recording the sink, then compares
//                                                  the recording with the samples played
//
// --low-latency anywhere plays in the player's low-latency preview instead of the default stream.
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
bool lowLatency = false;

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

  std::vector<int16_t> Samples() {
    std::lock_guard<std::mutex> held(mutex);
    std::vector<int16_t> samples(bytes.size() / 2);
    for (size_t i = 0; i < samples.size(); ++i) {
      samples[i] = static_cast<int16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    }
    return samples;
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
  player->SetLowLatency(lowLatency);

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
  player->SetLowLatency(lowLatency);
  player->Play();
  std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
  const auto destroying = Clock::now();
  player.reset();
  std::printf("destroy_while_playing_ms=%.0f\n", Since(destroying) * 1000.0);
  return 0;
}

// The first count samples the render thread writes, rendered here without a device.
std::vector<int16_t> Reference(int64_t count) {
  Player player;
  player.BuildDefaultTones();
  player.SetWave(WaveText(), 1);
  Tone* tone = player.Tones().GetTone(1);
  tone->SetSampleRate(kSampleRate);
  tone->SetNote(kNote, 0);
  std::vector<int16_t> samples;
  samples.reserve(static_cast<size_t>(count));
  for (int64_t i = 0; i < count; ++i) {
    samples.push_back(static_cast<int16_t>(
        std::clamp(tone->Render(static_cast<int32_t>(i % 3145729), 0), -32768, 32767)));
  }
  return samples;
}

int WritePcm(double seconds, const char* path) {
  std::FILE* file = std::fopen(path, "wb");
  if (file == nullptr) {
    std::perror(path);
    return 1;
  }
  std::vector<uint8_t> bytes;
  for (const int16_t sample : Reference(static_cast<int64_t>(seconds * kSampleRate))) {
    const auto bits = static_cast<uint16_t>(sample);
    bytes.push_back(static_cast<uint8_t>(bits & 0xff));
    bytes.push_back(static_cast<uint8_t>(bits >> 8));
  }
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written ? 0 : 1;
}

// Plays while the sink is recorded, then lines the recording up with the samples played: from
// the first sound to the last, every recorded sample must be the one played at its place (or, as
// a sink may shift a sample by one position, a neighbour). A gap (the silence of an underrun), a
// lost or a repeated block shifts everything after it, so it shows as a run of bad samples.
int Verify(double seconds, const char* monitor) {
  Recorder recorder(monitor);
  const auto deadline = Clock::now() + std::chrono::seconds(10);
  while (recorder.Started() && recorder.ByteCount() < 8820 && Clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  if (!recorder.Started()) return 1;
  PortAudioDevice device;
  bool fellBack = false;
  {
    Player player(&device);
    player.BuildDefaultTones();
    player.SetWave(WaveText(), 1);
    player.SetNote(kNote);
    player.SetLowLatency(lowLatency);
    player.Play();
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    player.Stop();
    while (player.IsPlaying()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    fellBack = player.TakeLatencyFallback();
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(700));
  recorder.Stop();

  const std::vector<int16_t> recorded = recorder.Samples();
  size_t first = 0;
  while (first < recorded.size() && recorded[first] == 0) ++first;
  size_t end = recorded.size();
  while (end > first && recorded[end - 1] == 0) --end;
  constexpr size_t kMaxLostStart = 4410;  // a sink may drop the first few ms of a stream
  constexpr size_t kAlignment = 2000;
  const size_t heard = end - first;
  if (heard < kAlignment + kMaxLostStart) {
    std::printf("verify_heard_s=0\n");
    return 1;
  }
  const std::vector<int16_t> expected =
      Reference(static_cast<int64_t>(heard + kMaxLostStart + kSampleRate));
  size_t offset = 0;
  size_t bestMatches = 0;
  for (size_t candidate = 0; candidate <= kMaxLostStart; ++candidate) {
    size_t matches = 0;
    for (size_t i = 0; i < kAlignment; ++i)
      matches += recorded[first + i] == expected[candidate + i];
    if (matches > bestMatches) {
      bestMatches = matches;
      offset = candidate;
    }
  }
  size_t exact = 0;
  size_t bad = 0;
  size_t firstBad = heard;
  for (size_t i = 0; i < heard; ++i) {
    const int16_t got = recorded[first + i];
    const size_t index = offset + i;
    if (index + 1 >= expected.size()) break;
    if (got == expected[index]) {
      ++exact;
    } else if ((index > 0 && got == expected[index - 1]) || got == expected[index + 1]) {
    } else {
      ++bad;
      firstBad = std::min(firstBad, i);
    }
  }
  std::printf("verify_heard_s=%.3f\n", static_cast<double>(heard) / kSampleRate);
  std::printf("verify_exact_percent=%.2f\n", 100.0 * static_cast<double>(exact) / heard);
  std::printf("verify_bad_samples=%zu\n", bad);
  if (bad > 0) {
    std::printf("verify_first_bad_s=%.3f\n", static_cast<double>(firstBad) / kSampleRate);
  }
  std::printf("latency_fallback=%d\n", fellBack ? 1 : 0);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  PortAudioDevice::PrepareEnvironment();
  std::vector<std::string> args(argv + 1, argv + argc);
  const auto option = std::find(args.begin(), args.end(), "--low-latency");
  lowLatency = option != args.end();
  if (lowLatency) args.erase(option);
  const std::string mode = !args.empty() ? args[0] : "";
  const double seconds = args.size() > 1 ? std::atof(args[1].c_str()) : 10.0;
  const char* third = args.size() > 2 ? args[2].c_str() : nullptr;
  if (mode == "play" && seconds > 0) return Play(seconds, third);
  if (mode == "close" && seconds > 0) return Close(seconds);
  if (mode == "pcm" && seconds > 0 && third != nullptr) return WritePcm(seconds, third);
  if (mode == "verify" && seconds > 0 && third != nullptr) return Verify(seconds, third);
  std::fprintf(
      stderr,
      "usage: %s play SECONDS [MONITOR_SOURCE] | close SECONDS | pcm SECONDS FILE | verify "
      "SECONDS MONITOR_SOURCE  [--low-latency]\n",
      argv[0]);
  return 2;
}
