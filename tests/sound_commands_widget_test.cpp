// What the dialog says about the sound output: a Play with no usable output is told once, and
// again only after a Play has worked; a working output says nothing. The Low-Latency Preview is
// remembered and reaches the player before the next Play.
#include "app/main_dialog.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>
#include <functional>
#include <memory>

#include "app/editor_commands.h"
#include "app/icon_resources.h"
#include "app/sound_commands.h"
#include "tests/support/fake_audio_device.h"
#include "tests/support/fake_ui_services.h"
#include "tests/support/watched_audio_device.h"

namespace {

bool WaitUntil(const std::function<bool()>& done) {
  QElapsedTimer waited;
  waited.start();
  while (!done() && waited.elapsed() < 10000)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  return done();
}

class SoundCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override { QSettings().clear(); }
  void TearDown() override { QSettings().clear(); }

  Player& GetPlayer() { return dialog->Pane().Model().GetPlayer(); }
  // Plays until the device was asked to open (and took or refused it), then stops and lets the
  // sound drain.
  void PlayOnce() {
    const int32_t asked = device.QueryCount() + device.OpenCount();
    dialog->Pane().Play();
    ASSERT_TRUE(WaitUntil(
        [&] { return device.QueryCount() + device.OpenCount() > asked && !watched.IsOpening(); }));
    dialog->Pane().Stop();
    ASSERT_TRUE(WaitUntil([&] {
      device.ReturnAll();
      return !GetPlayer().IsPlaying();
    }));
    dialog->Commands().Sound().CheckOutput();
  }

  ButtonIcons icons = ButtonIcons::Load();
  FakeUiServices services;
  FakeAudioDevice device;
  WatchedAudioDevice watched{device};
  std::unique_ptr<MainDialog> dialog = std::make_unique<MainDialog>(icons, &watched, &services);
};

TEST_F(SoundCommandsTest, NoUsableOutputIsToldOnceUntilAPlayHasWorked) {
  device.SetOpenSucceeds(false);
  PlayOnce();
  ASSERT_EQ(services.messages.size(), 1u);
  EXPECT_NE(services.messages[0].find("could not be opened"), std::string::npos);
  PlayOnce();
  EXPECT_EQ(services.messages.size(), 1u);

  device.SetOpenSucceeds(true);
  PlayOnce();
  EXPECT_EQ(services.messages.size(), 1u);

  device.SetFormatSupported(false);
  PlayOnce();
  ASSERT_EQ(services.messages.size(), 2u);
  EXPECT_NE(services.messages[1].find("16-bit"), std::string::npos);
}

// A Play that finds no output stops: the Play button looks unpressed when the message appears,
// and the next Play asks the device again.
TEST_F(SoundCommandsTest, APlayWithoutOutputUnpressesPlayAndTheNextPlayTriesAgain) {
  device.SetOpenSucceeds(false);
  auto* play =
      dialog->findChild<QPushButton*>(QStringLiteral("control%1").arg(MainDialog::kIdPlay));
  ASSERT_NE(play, nullptr);
  for (size_t attempt = 1; attempt <= 2; ++attempt) {
    SCOPED_TRACE(attempt);
    const int32_t asked = device.QueryCount() + device.OpenCount();
    play->click();
    ASSERT_TRUE(WaitUntil(
        [&] { return device.QueryCount() + device.OpenCount() > asked && !watched.IsOpening(); }));
    dialog->Commands().Sound().CheckOutput();
    EXPECT_EQ(services.messages.size(), 1u);  // told once
    EXPECT_FALSE(play->isChecked());
    EXPECT_TRUE(WaitUntil([&] { return !GetPlayer().IsPlaying(); }));
  }
}

TEST_F(SoundCommandsTest, LowLatencyPreviewIsRememberedAndReachesThePlayer) {
  QAction* preview = dialog->Commands().Sound().LowLatencyAction();
  EXPECT_FALSE(preview->isChecked());
  EXPECT_FALSE(GetPlayer().IsLowLatency());
  preview->trigger();
  EXPECT_TRUE(GetPlayer().IsLowLatency());

  dialog.reset();
  dialog = std::make_unique<MainDialog>(icons, &watched, &services);
  EXPECT_TRUE(dialog->Commands().Sound().LowLatencyAction()->isChecked());
  EXPECT_TRUE(GetPlayer().IsLowLatency());
  EXPECT_TRUE(services.messages.empty());
}

// Note keys play by the key's place: the keys where Z and Q are sound o4c and o5c (here typing the
// letters a QWERTZ and an AZERTY keyboard have there, or, with no scan code as on the offscreen
// platform, by their letters), the latest held sounding; they type no hex digits. Releasing both
// falls silent. With note keys off, C types a hex digit into the pane as it always did, and Z
// sounds nothing.
TEST_F(SoundCommandsTest, NoteKeysPlayByTheKeysPlaceAndTypeNothing) {
  WaveEditor& pane = dialog->Pane();
  QAction* noteKeys = dialog->findChild<QAction*>(QStringLiteral("Play Notes from the Keyboard"));
  ASSERT_NE(noteKeys, nullptr);
  const auto* line = dialog->findChild<QLabel*>(QStringLiteral("noteKeysLine"));
  ASSERT_NE(line, nullptr);
  const auto key = [&](QEvent::Type type, int code, quint32 scanCode, const char* text) {
    QKeyEvent event(type, code, Qt::NoModifier, scanCode, 0, 0, QString::fromLatin1(text));
    QApplication::sendEvent(&pane, &event);
  };
  struct Keys {
    int z, q;
    quint32 zScan, qScan;
    const char *zText, *qText;
  };
  for (const Keys& keys :
       {Keys{Qt::Key_Y, Qt::Key_Q, 52, 24, "y", "q"}, Keys{Qt::Key_W, Qt::Key_A, 52, 24, "w", "a"},
        Keys{Qt::Key_Z, Qt::Key_Q, 0, 0, "z", "q"}}) {
    SCOPED_TRACE(keys.zText);
    noteKeys->setChecked(true);
    const WaveState before = pane.Model().State();
    key(QEvent::KeyPress, keys.z, keys.zScan, keys.zText);
    EXPECT_EQ(GetPlayer().SoundingNote(), 36);
    EXPECT_EQ(line->text(), QStringLiteral("Note keys o4 \u00b7 o4c"));
    key(QEvent::KeyPress, keys.q, keys.qScan, keys.qText);
    key(QEvent::KeyPress, Qt::Key_C, keys.zScan == 0 ? 0 : 54, "c");  // o4e, held below Q
    key(QEvent::KeyRelease, Qt::Key_C, keys.zScan == 0 ? 0 : 54, "c");
    EXPECT_EQ(GetPlayer().SoundingNote(), 48);
    EXPECT_EQ(line->text(), QStringLiteral("Note keys o4 \u00b7 o5c"));
    key(QEvent::KeyRelease, keys.q, keys.qScan, keys.qText);
    EXPECT_EQ(GetPlayer().SoundingNote(), 36);
    key(QEvent::KeyRelease, keys.z, keys.zScan, keys.zText);
    EXPECT_EQ(GetPlayer().SoundingNote(), Player::kSilent);
    EXPECT_EQ(line->text(), QStringLiteral("Note keys o4"));
    EXPECT_TRUE(pane.Model().State() == before);

    noteKeys->setChecked(false);
    EXPECT_TRUE(line->isHidden());
    key(QEvent::KeyPress, keys.z, keys.zScan, keys.zText);
    EXPECT_EQ(GetPlayer().SoundingNote(), Player::kSilent);
    pane.SetCursor(0);
    key(QEvent::KeyPress, Qt::Key_C, 54, "c");
    key(QEvent::KeyPress, Qt::Key_C, 54, "c");
    EXPECT_EQ(pane.Model().Samples()[0] & 0xff, 0xcc);
  }
  // The keypad's * and / move the octave (shortcuts, so the window must be active); both the
  // choice and the octave are remembered.
  noteKeys->setChecked(true);
  dialog->show();
  dialog->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
  QTest::keyClick(dialog.get(), Qt::Key_Asterisk, Qt::KeypadModifier);
  QTest::keyClick(dialog.get(), Qt::Key_Asterisk, Qt::KeypadModifier);
  QTest::keyClick(dialog.get(), Qt::Key_Slash, Qt::KeypadModifier);
  EXPECT_EQ(line->text(), QStringLiteral("Note keys o5"));
  key(QEvent::KeyPress, Qt::Key_Z, 52, "z");
  EXPECT_EQ(GetPlayer().SoundingNote(), 48);
  key(QEvent::KeyRelease, Qt::Key_Z, 52, "z");
  dialog.reset();
  dialog = std::make_unique<MainDialog>(icons, &watched, &services);
  EXPECT_TRUE(
      dialog->findChild<QAction*>(QStringLiteral("Play Notes from the Keyboard"))->isChecked());
}

}  // namespace
