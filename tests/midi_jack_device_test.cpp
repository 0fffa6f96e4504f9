// MIDI end to end through the private JACK server (jackd's dummy driver, started by the test
// script): notes sent to the editor's JACK MIDI port sound the right note from the right sample, a
// note over a held one takes over keeping the phase, and after the last release the sound is
// silent.
#include "app/main_dialog.h"

#include <gtest/gtest.h>

#include <RtMidi.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QMenu>
#include <QSettings>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/icon_resources.h"
#include "tests/support/capture_audio_device.h"
#include "tests/support/fake_ui_services.h"
#include "tests/support/player_rest.h"
#include "tests/support/watched_audio_device.h"
#include "zp/version.h"

namespace {

constexpr char kKeyboard[] = "zp-test-keyboard";

bool WaitUntil(const std::function<bool()>& done, int seconds = 20) {
  QElapsedTimer waited;
  waited.start();
  while (!done() && waited.elapsed() < 1000 * seconds)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  return done();
}

std::vector<int16_t> Samples(const std::vector<uint8_t>& bytes) {
  std::vector<int16_t> samples;
  for (size_t i = 0; i + 1 < bytes.size(); i += 2)
    samples.push_back(static_cast<int16_t>(bytes[i] | (bytes[i + 1] << 8)));
  return samples;
}

TEST(MidiJack, NotesSentToTheEditorsPortSoundFromTheRightSample) {
  if (qEnvironmentVariableIsEmpty("ZP_JACK_SERVER")) {
    GTEST_SKIP() << "no private JACK server: jackd could not be started by the test script";
  }
  qputenv("JACK_DEFAULT_SERVER", qgetenv("ZP_JACK_SERVER"));
  // The editor listens on JACK and leaves the test's keyboard to the connection made below.
  QSettings().clear();
  QSettings().setValue(QStringLiteral("midiSystem"), QStringLiteral("jack"));
  QSettings().setValue(QStringLiteral("midiLeftOut"),
                       QStringList{QString::fromLatin1(kKeyboard) + QStringLiteral(":out")});
  CaptureAudioDevice device;
  device.SetPaused(true);
  WatchedAudioDevice watched(device);
  FakeUiServices services;
  const ButtonIcons icons = ButtonIcons::Load();
  auto dialog = std::make_unique<MainDialog>(icons, &watched, &services);
  Player& player = dialog->Pane().Model().GetPlayer();
  // A rising ramp, so that every sample of the note tells its phase.
  WaveEditorModel& model = dialog->Pane().Model();
  for (int32_t k = 0; k < model.GetLength(); ++k) model.WriteValue(k, k * 8 - 127);

  RtMidiOut keyboard(RtMidi::UNIX_JACK, kKeyboard);
  const std::string port = std::string(ZP_PRODUCT_NAME) + ":MIDI In";
  int32_t portIndex = -1;
  ASSERT_TRUE(WaitUntil([&] {
    for (unsigned int i = 0; i < keyboard.getPortCount(); ++i)
      if (keyboard.getPortName(i) == port) portIndex = static_cast<int32_t>(i);
    return portIndex >= 0;
  })) << "the editor's port "
      << port << " did not appear";
  keyboard.openPort(static_cast<unsigned int>(portIndex), "out");

  // Note-on, a note-on over it on another channel, a note-on of velocity 0 and a note-off: MIDI's
  // 60 and 72 are the pitch tables' o4c (36) and o5c (48).
  const auto send = [&](std::vector<unsigned char> message) { keyboard.sendMessage(&message); };
  // The first message may go out before JACK has joined the ports: it is sent again until heard.
  for (int tries = 0; tries < 20 && player.SoundingNote() != 36; ++tries) {
    send({0x90, 60, 100});
    WaitUntil([&] { return player.SoundingNote() == 36; }, 1);
  }
  ASSERT_EQ(player.SoundingNote(), 36);
  std::vector<Player::NoteChange> changes = {{0, 36}};
  const std::vector<std::pair<std::vector<unsigned char>, int32_t>> steps = {
      {{0x93, 72, 90}, 48}, {{0x93, 72, 0}, 36}, {{0x80, 60, 64}, Player::kSilent}};
  for (const auto& [message, expected] : steps) {
    const int32_t at =
        PauseAtRest(device, watched, player, [] { QCoreApplication::processEvents(); });
    ASSERT_GE(at, 0);
    send(message);
    ASSERT_TRUE(WaitUntil([&, expected = expected] { return player.SoundingNote() == expected; }));
    changes.push_back({at, expected});
    device.SetPaused(false);
    ASSERT_TRUE(WaitUntil([&] { return device.TotalBytes() >= 2 * (uint64_t(at) + 6000); }));
  }
  dialog->Pane().Stop();
  ASSERT_TRUE(WaitUntil([&] { return !player.IsPlaying(); }));

  const std::vector<int16_t> got = Samples(device.Captured());
  const auto count = static_cast<int32_t>(got.size());
  const std::vector<int16_t> expected = player.RenderNotes(1, changes, count);
  ASSERT_EQ(expected.size(), got.size());
  size_t firstBad = 0;
  while (firstBad < got.size() && got[firstBad] == expected[firstBad]) ++firstBad;
  EXPECT_EQ(firstBad, got.size()) << changes[1].index << " " << changes[2].index << " "
                                  << changes[3].index;
  const int32_t silentFrom = changes.back().index;
  EXPECT_EQ(std::count(got.begin() + silentFrom, got.end(), 0), count - silentFrom);
  EXPECT_NE(std::count(got.begin(), got.begin() + silentFrom, 0), silentFrom);
  dialog.reset();
  QSettings().clear();
}

// With JACK picked and no JACK server to answer, the submenu offers the two systems and says why
// there is no MIDI in one line; the dialog never waits for it.
TEST(MidiJack, WithoutAServerTheSubmenuSaysWhyInOneLine) {
  qputenv("JACK_DEFAULT_SERVER", "zp-no-such-server");
  QSettings().clear();
  QSettings().setValue(QStringLiteral("midiSystem"), QStringLiteral("jack"));
  FakeUiServices services;
  const ButtonIcons icons = ButtonIcons::Load();
  auto dialog = std::make_unique<MainDialog>(icons, nullptr, &services);
  QMenu* menu = dialog->findChild<QMenu*>(QStringLiteral("midiMenu"));
  ASSERT_NE(menu, nullptr);
  QStringList texts;
  ASSERT_TRUE(WaitUntil([&] {
    Q_EMIT menu->aboutToShow();
    texts.clear();
    for (const QAction* action : menu->actions())
      texts << (action->isChecked() ? QStringLiteral("[x] ") : QString()) + action->text() +
                   (action->isEnabled() ? QString() : QStringLiteral(" (off)"));
    return !texts.contains(QStringLiteral("Looking for MIDI inputs... (off)"));
  }));
  EXPECT_EQ(texts,
            (QStringList{QStringLiteral("ALSA Sequencer"), QStringLiteral("[x] JACK"), QString(),
                         QStringLiteral("No MIDI: no JACK server is running (off)")}));
  dialog.reset();
  QSettings().clear();
}

}  // namespace
