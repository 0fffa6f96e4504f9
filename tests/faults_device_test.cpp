// Sound device faults. With the real PortAudio device: no output device at all, a device that
// refuses the format, and the sound server killed while playing and started again; in each case
// the editor stays usable, Play, Stop and the editor's destruction return promptly, nothing
// crashes, and Play sounds again once a device is back. With the controllable fake device: the
// device refusing a queued block in the middle of a run.
//
// Each real-device case runs in a child process of this program with an environment of its own
// (the sound system reads it once, when it starts), against a private PulseAudio server with a
// null sink that the child starts, kills and restarts itself. A watchdog ends the process when a
// call hangs for more than three seconds; that is a hang guard, not a timing check.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "audio/portaudio_device.h"
#include "editor/wave_editor_model.h"
#include "tests/support/fake_audio_device.h"
#include "tests/support/fake_ui_services.h"
#include "tests/support/monitor_recorder.h"
#include "tests/support/synth_reference.h"
#include "tests/support/watched_audio_device.h"

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr char kScenarioVariable[] = "ZP_FAULT_SCENARIO";
constexpr char kSink[] = "zp_fault_null";
// A square wave of the two extreme samples, held: every sound sample is one of two levels.
constexpr char kSquare[] = "7f80";

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// Ends the process when the guarded call has not returned within the limit: a hung call cannot
// be failed from the thread that is stuck in it.
class Watchdog {
 public:
  explicit Watchdog(std::string what, milliseconds limit = milliseconds(3000))
      : what(std::move(what)), start(Clock::now()) {
    guard = std::thread([this, limit] {
      std::unique_lock<std::mutex> held(mutex);
      if (!wake.wait_for(held, limit, [this] { return done; })) {
        std::fprintf(stderr, "HANG: %s did not return within %lld ms\n", this->what.c_str(),
                     static_cast<long long>(limit.count()));
        std::fflush(stderr);
        _exit(3);
      }
    });
  }
  ~Watchdog() {
    {
      std::lock_guard<std::mutex> held(mutex);
      done = true;
    }
    wake.notify_all();
    guard.join();
    std::printf("  %-44s %6.0f ms\n", what.c_str(), SecondsSince(start) * 1000);
  }

 private:
  std::string what;
  Clock::time_point start;
  std::mutex mutex;
  std::condition_variable wake;
  bool done = false;
  std::thread guard;
};

bool WaitFor(const std::function<bool()>& condition, milliseconds limit) {
  const auto deadline = Clock::now() + limit;
  while (!condition()) {
    if (Clock::now() > deadline) return false;
    std::this_thread::sleep_for(milliseconds(5));
  }
  return true;
}

// The render thread has ended and every block has come back: its last step closes the stream,
// which waits for every block the device took.
void WaitUntilQuiet(Player& player, const std::string& what) {
  Watchdog watchdog(what);
  while (player.IsPlaying()) {
    std::this_thread::sleep_for(milliseconds(1));
  }
}

// A PulseAudio server of the child's own with only a null sink, reached through its own socket,
// started the way the test environment starts the shared one. It dies with the process that
// started it.
class PrivateSoundServer {
 public:
  explicit PrivateSoundServer(std::string directory) : directory(std::move(directory)) {}
  ~PrivateSoundServer() { Kill(); }

  std::string Socket() const { return directory + "/pulse-native"; }
  std::string Address() const { return "unix:" + Socket(); }

  bool Start() {
    std::filesystem::remove(Socket());
    std::filesystem::create_directories(directory + "/pulse-home");
    // Everything the new process needs is prepared before the fork: between fork and exec only
    // calls that take no lock are safe in a process with threads.
    std::vector<std::string> args = {
        "pulseaudio",
        "-n",
        "--daemonize=no",
        "--exit-idle-time=-1",
        "--use-pid-file=no",
        "--disallow-exit",
        "-L",
        "module-native-protocol-unix socket=" + Socket() + " auth-anonymous=1",
        "-L",
        std::string("module-null-sink sink_name=") + kSink + " rate=44100 channels=1",
        "-L",
        "module-always-sink",
        "--log-target=file:" + directory + "/pulse.log"};
    std::vector<std::string> environment = {"HOME=" + directory + "/pulse-home",
                                            "XDG_RUNTIME_DIR=" + directory};
    for (char** entry = environ; *entry != nullptr; ++entry) {
      const std::string text = *entry;
      if (text.rfind("HOME=", 0) != 0 && text.rfind("XDG_RUNTIME_DIR=", 0) != 0) {
        environment.push_back(text);
      }
    }
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (std::string& entry : environment) envp.push_back(entry.data());
    envp.push_back(nullptr);

    pid = fork();
    if (pid < 0) return false;
    if (pid == 0) {
      prctl(PR_SET_PDEATHSIG, SIGKILL);
      const int null = open("/dev/null", O_RDWR);
      dup2(null, STDOUT_FILENO);
      dup2(null, STDERR_FILENO);
      execvpe("pulseaudio", argv.data(), envp.data());
      _exit(127);
    }
    return WaitFor([this] { return Answers(); }, milliseconds(10000));
  }

  // SIGKILL, by process id: the server gets no chance to say goodbye to its clients.
  void Kill() {
    if (pid <= 0) return;
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    pid = -1;
  }

 private:
  bool Answers() const {
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", Socket().c_str());
    const bool connected = connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    close(fd);
    return connected;
  }

  std::string directory;
  pid_t pid = -1;
};

// The editor as the dialog leaves it at start-up, then holding the square wave.
void StartUp(WaveEditorModel& model, FakeUiServices& services) {
  model.SetNote(45);
  model.SetLength(32);
  model.SetHarmonicsView(WaveEditorModel::kWaveView);
  model.SetMode(WaveEditorModel::kHold);
  services.clipboard = kSquare;
  model.PasteFromClipboard();
  ASSERT_EQ(model.GetPlayer().GetWaveText(), kSquare);
}

// Edits, copies and pastes work while the sound is in trouble.
void ExpectEditorUsable(WaveEditorModel& model, FakeUiServices& services) {
  Watchdog watchdog("edits while the device is in trouble");
  services.clipboard = kSquare;
  model.PasteFromClipboard();
  model.WriteValue(0, 5);
  EXPECT_EQ(model.GetPlayer().GetWaveText(), "0580");
  services.clipboard = "00112233";
  model.PasteFromClipboard();
  EXPECT_EQ(model.GetLength(), 4);
  EXPECT_EQ(model.GetPlayer().GetWaveText(), "00112233");
  model.SetLength(8);
  EXPECT_EQ(model.GetPlayer().GetWaveText(), "0000111122223333");
  model.CopyToClipboard();
  EXPECT_EQ(services.clipboard, "0000111122223333");
  services.clipboard = "12345";
  const size_t messages = services.messages.size();
  model.PasteFromClipboard();
  EXPECT_EQ(services.messages.size(), messages + 1);
  services.clipboard = kSquare;
  model.PasteFromClipboard();
  EXPECT_EQ(model.GetPlayer().GetWaveText(), kSquare);
}

// Plays the square wave until the server's monitor has recorded a fifth of a second of it, and
// checks that every sample that is not silence is one of the wave's two levels.
void ExpectSquareSounds(WaveEditorModel& model, const PrivateSoundServer& server) {
  MonitorRecorder recorder(std::string(kSink) + ".monitor", server.Address());
  ASSERT_TRUE(recorder.Started()) << "parec could not be started";
  {
    Watchdog watchdog("Play with the device back");
    model.Play();
  }
  const bool sounded =
      WaitFor([&] { return recorder.SoundingCount() >= 44100 / 5; }, milliseconds(8000));
  {
    Watchdog watchdog("Stop");
    model.Stop();
  }
  WaitUntilQuiet(model.GetPlayer(), "Stop until the render thread ended");
  recorder.Stop();
  EXPECT_TRUE(sounded) << "nothing but silence reached the sound server (" << recorder.SampleCount()
                       << " samples recorded)";
  const int16_t top = static_cast<int16_t>(reference::SampleValue(0x7f));
  const int16_t bottom = static_cast<int16_t>(reference::SampleValue(0x80));
  size_t sounding = 0;
  size_t foreign = 0;
  for (int16_t sample : recorder.Samples()) {
    if (sample == 0) continue;
    ++sounding;
    foreign += sample != top && sample != bottom;
  }
  EXPECT_EQ(foreign, 0u) << "of " << sounding << " sounding samples";
}

// --- The scenarios, each run in a child process ------------------------------------------------

// No output device: the default sound server is gone and the sound library knows no card.
// Play starts a render thread whose blocks nobody takes; Stop ends it at once. Then the server
// appears and the same editor, player and device play again.
void NoOutputDevice(const std::string& directory) {
  PortAudioDevice device;
  WatchedAudioDevice watched(device);
  FakeUiServices services;
  auto model = std::make_unique<WaveEditorModel>(&watched, &services);
  StartUp(*model, services);
  Player& player = model->GetPlayer();

  WaveFormatEx format;
  EXPECT_FALSE(device.QueryFormat(format));
  {
    Watchdog watchdog("Play without a device");
    model->Play();
  }
  EXPECT_TRUE(player.IsPlaying());
  EXPECT_FALSE(watched.IsOpen());
  std::this_thread::sleep_for(milliseconds(300));
  EXPECT_LE(watched.LiveBlocks(), 9);
  ExpectEditorUsable(*model, services);
  {
    Watchdog watchdog("Stop without a device");
    model->Stop();
  }
  WaitUntilQuiet(player, "Stop until the render thread ended");
  // A burst of Play and Stop, then Play while stopping.
  {
    Watchdog watchdog("Play/Stop burst without a device");
    for (int i = 0; i < 10; ++i) {
      model->Play();
      model->Stop();
    }
    model->Play();
  }
  {
    Watchdog watchdog("Stop without a device");
    model->Stop();
  }
  WaitUntilQuiet(player, "Stop until the render thread ended");

  // The device comes back: a sound server is there and the sound library's configuration is the
  // system's again.
  PrivateSoundServer server(directory + "/back");
  ASSERT_TRUE(server.Start()) << "the private sound server did not start";
  setenv("PULSE_SERVER", server.Address().c_str(), 1);
  unsetenv("ALSA_CONFIG_PATH");
  ExpectSquareSounds(*model, server);

  Watchdog watchdog("destruction of the editor");
  model.reset();
}

// Passes everything to the real device but asks it for an absurd sample rate, which it refuses;
// once told to stop refusing, it is the real device.
class AbsurdRateDevice : public AudioDevice {
 public:
  explicit AbsurdRateDevice(AudioDevice& real) : real(real) {}
  bool QueryFormat(const WaveFormatEx& format) override {
    return real.QueryFormat(refusing ? Absurd(format) : format);
  }
  bool Open(const WaveFormatEx& format, Callback callback, void* instance) override {
    return real.Open(refusing ? Absurd(format) : format, callback, instance);
  }
  bool Prepare(WaveHeader* header) override { return real.Prepare(header); }
  bool Queue(WaveHeader* header) override { return real.Queue(header); }
  void Unprepare(WaveHeader* header) override { real.Unprepare(header); }
  void Reset() override { real.Reset(); }
  void Close() override { real.Close(); }
  void SetLatency(double seconds, uint32_t chunkFrames) override {
    if (!refusing) real.SetLatency(seconds, chunkFrames);
  }
  void SetOpenCancelled(bool cancelled) override {
    if (!refusing) real.SetOpenCancelled(cancelled);
  }
  OutputProblem LastOpenProblem() override {
    return refusing ? OutputProblem::kNone : real.LastOpenProblem();
  }
  uint32_t TakeEvents() override { return refusing ? 0 : real.TakeEvents(); }
  // [UI, not while playing]
  void StopRefusing() { refusing = false; }

  static WaveFormatEx Absurd(WaveFormatEx format) {
    format.samplesPerSec = 10'000'000;
    format.avgBytesPerSec = 20'000'000;
    return format;
  }

 private:
  AudioDevice& real;
  std::atomic<bool> refusing{true};
};

void IgnoreCallback(AudioDevice*, uint32_t, void*, WaveHeader*) {}

// The device refuses the format: asked directly, and through the editor, which goes on without
// sound; then the same player is given the device with a format it takes and plays.
void FormatRefused(const std::string& directory) {
  PrivateSoundServer server(directory + "/server");
  ASSERT_TRUE(server.Start()) << "the private sound server did not start";
  setenv("PULSE_SERVER", server.Address().c_str(), 1);

  PortAudioDevice device;
  WaveFormatEx format;
  EXPECT_TRUE(device.QueryFormat(format));
  {
    Watchdog watchdog("format queries and opens refused");
    EXPECT_FALSE(device.QueryFormat(AbsurdRateDevice::Absurd(format)));
    EXPECT_FALSE(device.Open(AbsurdRateDevice::Absurd(format), &IgnoreCallback, nullptr));
    WaveFormatEx floating = format;
    floating.formatTag = 3;
    floating.bitsPerSample = 32;
    EXPECT_FALSE(device.QueryFormat(floating));
    EXPECT_FALSE(device.Open(floating, &IgnoreCallback, nullptr));
    WaveFormatEx silent = format;
    silent.samplesPerSec = 0;
    EXPECT_FALSE(device.QueryFormat(silent));
  }

  AbsurdRateDevice refusing(device);
  WatchedAudioDevice watched(refusing);
  FakeUiServices services;
  auto model = std::make_unique<WaveEditorModel>(&watched, &services);
  StartUp(*model, services);
  Player& player = model->GetPlayer();
  {
    Watchdog watchdog("Play on a device refusing the format");
    model->Play();
  }
  EXPECT_FALSE(watched.IsOpen());
  std::this_thread::sleep_for(milliseconds(300));
  ExpectEditorUsable(*model, services);
  {
    Watchdog watchdog("Stop on a device refusing the format");
    model->Stop();
  }
  WaitUntilQuiet(player, "Stop until the render thread ended");

  // The same player on the device with the format it takes.
  refusing.StopRefusing();
  ExpectSquareSounds(*model, server);

  Watchdog watchdog("destruction of the editor");
  model.reset();
}

// The sound server is killed while the editor plays, then started again on the same socket.
void ServerKilled(const std::string& directory) {
  PrivateSoundServer server(directory + "/server");
  ASSERT_TRUE(server.Start()) << "the private sound server did not start";
  setenv("PULSE_SERVER", server.Address().c_str(), 1);

  PortAudioDevice device;
  WatchedAudioDevice watched(device);
  FakeUiServices services;
  auto model = std::make_unique<WaveEditorModel>(&watched, &services);
  StartUp(*model, services);
  Player& player = model->GetPlayer();

  // Playing for real first.
  MonitorRecorder recorder(std::string(kSink) + ".monitor", server.Address());
  ASSERT_TRUE(recorder.Started()) << "parec could not be started";
  {
    Watchdog watchdog("Play");
    model->Play();
  }
  ASSERT_TRUE(WaitFor([&] { return recorder.SoundingCount() >= 44100 / 5; }, milliseconds(8000)))
      << "the square wave did not reach the server";

  server.Kill();
  recorder.Stop();
  std::this_thread::sleep_for(milliseconds(400));
  ExpectEditorUsable(*model, services);
  EXPECT_LE(watched.LiveBlocks(), 9);
  {
    Watchdog watchdog("Stop with the server gone");
    model->Stop();
  }
  WaitUntilQuiet(player, "Stop until the render thread ended");
  // Play and Stop while there is no server.
  {
    Watchdog watchdog("Play with the server gone");
    model->Play();
  }
  std::this_thread::sleep_for(milliseconds(300));
  {
    Watchdog watchdog("Stop with the server gone");
    model->Stop();
  }
  WaitUntilQuiet(player, "Stop until the render thread ended");

  // The server is back on the same socket: the same editor plays again.
  ASSERT_TRUE(server.Start()) << "the private sound server did not start again";
  ExpectSquareSounds(*model, server);

  // Killed once more while playing, and the editor destroyed right away, as when the user quits.
  {
    Watchdog watchdog("Play");
    model->Play();
  }
  std::this_thread::sleep_for(milliseconds(500));
  server.Kill();
  std::this_thread::sleep_for(milliseconds(100));
  {
    Watchdog watchdog("Stop");
    model->Stop();
  }
  Watchdog watchdog("destruction of the editor while stopping");
  model.reset();
}

const std::map<std::string, void (*)(const std::string&)>& Scenarios() {
  static const std::map<std::string, void (*)(const std::string&)> scenarios = {
      {"NoOutputDevice", &NoOutputDevice},
      {"FormatRefused", &FormatRefused},
      {"ServerKilled", &ServerKilled},
  };
  return scenarios;
}

// --- The parent: runs a scenario in a child process -------------------------------------------

struct ChildRun {
  bool finished = false;  // ended by itself before the limit
  int status = 0;
  std::string output;
};

ChildRun RunScenario(const std::string& scenario, const std::map<std::string, std::string>& extra) {
  ChildRun run;
  char directoryTemplate[] = "/tmp/zp-faults.XXXXXX";
  if (mkdtemp(directoryTemplate) == nullptr) return run;
  const std::string directory = directoryTemplate;

  std::map<std::string, std::string> environment;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string text = *entry;
    const size_t equals = text.find('=');
    if (equals != std::string::npos) environment[text.substr(0, equals)] = text.substr(equals + 1);
  }
  environment.erase("PULSE_SERVER");
  environment.erase("ALSA_CONFIG_PATH");
  environment["JACK_NO_START_SERVER"] = "1";
  environment[kScenarioVariable] = scenario;
  environment["ZP_FAULT_DIRECTORY"] = directory;
  for (const auto& [key, value] : extra) {
    std::string expanded = value;
    for (size_t at; (at = expanded.find("$DIR")) != std::string::npos;) {
      expanded.replace(at, 4, directory);
    }
    environment[key] = expanded;
  }
  std::vector<std::string> entries;
  for (const auto& [key, value] : environment) entries.push_back(key + "=" + value);
  std::vector<char*> envp;
  for (std::string& entry : entries) envp.push_back(entry.data());
  envp.push_back(nullptr);

  std::string program = std::filesystem::read_symlink("/proc/self/exe").string();
  std::vector<char*> argv = {program.data(), nullptr};

  int fds[2];
  if (pipe(fds) != 0) return run;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, fds[1], STDERR_FILENO);
  posix_spawn_file_actions_addclose(&actions, fds[0]);
  posix_spawn_file_actions_addclose(&actions, fds[1]);
  pid_t pid = -1;
  const int spawned =
      posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  close(fds[1]);
  if (spawned != 0) {
    close(fds[0]);
    return run;
  }

  const auto deadline = Clock::now() + std::chrono::seconds(120);
  for (;;) {
    pollfd poller{fds[0], POLLIN, 0};
    const int left =
        static_cast<int>(std::chrono::duration_cast<milliseconds>(deadline - Clock::now()).count());
    if (left <= 0) break;
    if (poll(&poller, 1, left) <= 0) continue;
    char buffer[4096];
    const ssize_t got = read(fds[0], buffer, sizeof buffer);
    if (got <= 0) {
      run.finished = true;
      break;
    }
    run.output.append(buffer, static_cast<size_t>(got));
  }
  close(fds[0]);
  if (!run.finished) kill(pid, SIGKILL);
  waitpid(pid, &run.status, 0);
  std::filesystem::remove_all(directory);
  return run;
}

void ExpectScenarioPasses(const std::string& scenario,
                          const std::map<std::string, std::string>& extra = {}) {
  if (std::system("command -v pulseaudio >/dev/null 2>&1 && command -v parec >/dev/null 2>&1") !=
      0) {
    GTEST_SKIP() << "pulseaudio and parec are needed for a private sound server";
  }
  const ChildRun run = RunScenario(scenario, extra);
  // The child's report, with the time each guarded call took.
  std::printf("---- scenario %s ----\n%s---- end of scenario ----\n", scenario.c_str(),
              run.output.c_str());
  EXPECT_TRUE(run.finished) << "the scenario did not end within two minutes";
  EXPECT_TRUE(WIFEXITED(run.status) && WEXITSTATUS(run.status) == 0)
      << "the scenario failed or crashed (status " << run.status << "), see its report above";
  EXPECT_NE(run.output.find("[  PASSED  ] 1 test."), std::string::npos)
      << "the scenario did not run to its end";
}

TEST(PortAudioFaults, NoOutputDeviceThenTheDeviceComesBack) {
  // The default sound server is a socket nobody listens on, and the sound library's
  // configuration names a card that does not exist as the default device.
  ExpectScenarioPasses("NoOutputDevice", {{"PULSE_SERVER", "unix:$DIR/nobody-listens"},
                                          {"ALSA_CONFIG_PATH", "$DIR/no-card.conf"}});
}

TEST(PortAudioFaults, DeviceRefusesTheFormat) {
  ExpectScenarioPasses("FormatRefused");
}

TEST(PortAudioFaults, SoundServerKilledWhilePlayingThenStartedAgain) {
  ExpectScenarioPasses("ServerKilled");
}

// --- With the fake device ----------------------------------------------------------------------

constexpr char kRamp[] = "80a0c0e000204060";  // eight held samples from bottom to top

// The samples the render thread writes for indexes 0, 1, 2 … of the ramp at o4a.
std::vector<int16_t> ExpectedRamp(size_t count) {
  const reference::Table table =
      reference::WaveTable({0x80, 0xa0, 0xc0, 0xe0, 0x00, 0x20, 0x40, 0x60}, 1);
  const reference::Clock o4a(4400);
  std::vector<int16_t> samples;
  for (size_t i = 0; i < count; ++i) {
    samples.push_back(reference::Saturate(table[o4a.Phase(static_cast<int64_t>(i))]));
  }
  return samples;
}

// Returns the fake device's blocks on a thread of its own, as a sound card would.
class Returner {
 public:
  explicit Returner(FakeAudioDevice& device)
      : thread([this, &device] {
          while (running) {
            if (!device.ReturnNext()) std::this_thread::sleep_for(milliseconds(1));
          }
        }) {}
  ~Returner() {
    running = false;
    thread.join();
  }

 private:
  std::atomic<bool> running{true};
  std::thread thread;
};

TEST(FakeDeviceFaults, OneQueueRefusedInTheMiddleOfARunLosesNothing) {
  FakeAudioDevice device;
  WatchedAudioDevice watched(device);
  FakeUiServices services;
  WaveEditorModel model(&watched, &services);
  StartUp(model, services);
  services.clipboard = kRamp;
  model.PasteFromClipboard();
  // The fifth block is refused once; the next write offers it again.
  device.RefuseQueue(5);
  Returner returner(device);
  {
    Watchdog watchdog("Play");
    model.Play();
  }
  ASSERT_TRUE(WaitFor([&] { return device.QueueCalls() >= 12; }, milliseconds(10000)));
  {
    Watchdog watchdog("Stop");
    model.Stop();
  }
  WaitUntilQuiet(model.GetPlayer(), "Stop until the render thread ended");

  const std::vector<int16_t> played = reference::Samples(device.QueuedBytes());
  EXPECT_GE(played.size(), 10u * 2500);
  EXPECT_EQ(played, ExpectedRamp(played.size()));
  const std::vector<uint32_t> lengths = device.QueuedLengths();
  ASSERT_FALSE(lengths.empty());
  EXPECT_TRUE(
      std::all_of(lengths.begin(), lengths.end() - 1, [](uint32_t n) { return n == 5000; }));
  EXPECT_EQ(device.PendingCount(), 0);
  ASSERT_TRUE(watched.KnowsStream());
  EXPECT_EQ(watched.LiveBlocks(), 0);
}

TEST(FakeDeviceFaults, EveryQueueRefusedFromTheMiddleOfARunThenAcceptedAgain) {
  FakeAudioDevice device;
  WatchedAudioDevice watched(device);
  FakeUiServices services;
  WaveEditorModel model(&watched, &services);
  StartUp(model, services);
  services.clipboard = kRamp;
  model.PasteFromClipboard();
  Player& player = model.GetPlayer();
  Returner returner(device);
  {
    Watchdog watchdog("Play");
    model.Play();
  }
  ASSERT_TRUE(WaitFor([&] { return device.QueueCalls() >= 4; }, milliseconds(10000)));
  // From now on the device takes nothing: the blocks it holds come back, the rest are refused.
  device.RefuseQueue(0);
  ASSERT_TRUE(WaitFor([&] { return device.PendingCount() == 0; }, milliseconds(10000)));
  std::this_thread::sleep_for(milliseconds(200));
  EXPECT_TRUE(player.IsPlaying());
  EXPECT_LE(watched.LiveBlocks(), 9);
  ExpectEditorUsable(model, services);
  {
    Watchdog watchdog("Stop");
    model.Stop();
  }
  WaitUntilQuiet(player, "Stop until the render thread ended");
  ASSERT_TRUE(watched.KnowsStream());
  EXPECT_EQ(watched.LiveBlocks(), 0);
  // What the device took before refusing is the run from its start, without a gap.
  const std::vector<int16_t> before = reference::Samples(device.QueuedBytes());
  ASSERT_GE(before.size(), 4u * 2500);
  services.clipboard = kRamp;
  model.PasteFromClipboard();
  EXPECT_EQ(before, ExpectedRamp(before.size()));

  // Accepted again: the next Play starts a fresh run from index 0.
  device.RefuseQueue(-1);
  const size_t taken = device.QueuedBytes().size();
  {
    Watchdog watchdog("Play");
    model.Play();
  }
  ASSERT_TRUE(WaitFor([&] { return device.QueuedBytes().size() >= taken + 3 * 5000; },
                      milliseconds(10000)));
  {
    Watchdog watchdog("Stop");
    model.Stop();
  }
  WaitUntilQuiet(player, "Stop until the render thread ended");
  const std::vector<uint8_t> all = device.QueuedBytes();
  const std::vector<int16_t> again = reference::Samples(
      std::vector<uint8_t>(all.begin() + static_cast<ptrdiff_t>(taken), all.end()));
  EXPECT_EQ(again, ExpectedRamp(again.size()));
}

}  // namespace

int main(int argc, char** argv) {
  PortAudioDevice::PrepareEnvironment();
  ::testing::InitGoogleTest(&argc, argv);
  // A child runs only its scenario, registered here so that the test list never shows it.
  if (const char* scenario = std::getenv(kScenarioVariable); scenario != nullptr) {
    const auto found = Scenarios().find(scenario);
    if (found == Scenarios().end()) return 2;
    const std::string directory = std::getenv("ZP_FAULT_DIRECTORY");
    if (const char* config = std::getenv("ALSA_CONFIG_PATH"); config != nullptr) {
      // The sound library's whole configuration: the default device is a card that is not there.
      std::ofstream(config) << "pcm.!default {\n  type hw\n  card 99\n}\n"
                            << "ctl.!default {\n  type hw\n  card 99\n}\n";
    }
    auto run = found->second;
    ::testing::RegisterTest("Scenario", scenario, nullptr, nullptr, __FILE__, __LINE__,
                            [run, directory]() -> ::testing::Test* {
                              class ScenarioTest : public ::testing::Test {
                               public:
                                ScenarioTest(void (*run)(const std::string&), std::string d)
                                    : run(run), directory(std::move(d)) {}
                                void TestBody() override { run(directory); }

                               private:
                                void (*run)(const std::string&);
                                std::string directory;
                              };
                              return new ScenarioTest(run, directory);
                            });
    GTEST_FLAG_SET(filter, std::string("Scenario.") + scenario);
  }
  return RUN_ALL_TESTS();
}
