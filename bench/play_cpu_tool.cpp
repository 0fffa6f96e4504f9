// Plays the editor's wave tone on the default output through PortAudio for a number of seconds,
// exactly as the editor does (its data, player, stream and device, no window), and writes the
// same sound as raw PCM to a file, so that another player can play it into the same sink for
// comparison. Prints the CPU time of the playback and the process's peak resident memory.
//
//   play_cpu_tool SECONDS PCM_FILE [--low-latency]
//
// --low-latency plays in the player's low-latency preview instead of the default stream.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "audio/portaudio_device.h"
#include "editor/wave_editor_model.h"
#include "synth/tone.h"

namespace {

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

std::string StatusField(const char* name) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind(name, 0) == 0)
      return line.substr(line.find_first_not_of(" \t", std::string(name).size()));
  }
  return "?";
}

}  // namespace

int main(int argc, char** argv) {
  PortAudioDevice::PrepareEnvironment();
  const bool lowLatency = argc == 4 && std::string(argv[3]) == "--low-latency";
  if (argc != 3 && !lowLatency) {
    std::fprintf(stderr, "usage: %s SECONDS PCM_FILE [--low-latency]\n", argv[0]);
    return 2;
  }
  const double seconds = std::atof(argv[1]);
  PortAudioDevice device;
  {
    WaveEditorModel model(&device);
    // The dialog's start-up, then a wave drawn across all 32 columns.
    model.SetNote(45);
    model.SetLength(32);
    model.SetHarmonicsView(WaveEditorModel::kWaveView);
    model.SetMode(WaveEditorModel::kHold);
    for (int32_t k = 0; k < 32; ++k) model.WriteValue(k, k < 16 ? 8 * k - 64 : 64 - 8 * (k - 16));

    // The same sound for the other player: the tone's samples for indexes 0, 1, 2 …
    Tone* tone = model.GetPlayer().Tones().GetTone(1);
    tone->SetSampleRate(Player::kSampleRate);
    tone->SetNote(45, 0);
    const auto count = static_cast<int32_t>(seconds * Player::kSampleRate);
    std::vector<char> pcm;
    for (int32_t i = 0; i < count; ++i) {
      const int32_t value = tone->Render(i, 0);
      const auto sample = static_cast<uint16_t>(value < -32768  ? -32768
                                                : value > 32767 ? 32767
                                                                : value);
      pcm.push_back(static_cast<char>(sample & 0xff));
      pcm.push_back(static_cast<char>(sample >> 8));
    }
    std::ofstream(argv[2], std::ios::binary)
        .write(pcm.data(), static_cast<std::streamsize>(pcm.size()));

    model.GetPlayer().SetLowLatency(lowLatency);
    const double cpuBefore = CpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    model.Play();
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    model.Stop();
    Player& player = model.GetPlayer();
    // The render thread's last step closes the stream, which waits for every block it queued.
    while (player.IsPlaying()) {
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double cpu = CpuSeconds() - cpuBefore;
    std::printf("playback_wall_s %.3f\nplayback_cpu_s %.3f\nplayback_cpu_percent %.2f\n", wall, cpu,
                100.0 * cpu / wall);
    std::printf("vm_hwm %s\n", StatusField("VmHWM:").c_str());
    std::printf("latency_fallback %d\n", player.TakeLatencyFallback() ? 1 : 0);
  }
  return 0;
}
