// What the dialog says about the sound output: a Play with no usable output is told once, and
// again only after a Play has worked; a working output says nothing. The Low-Latency Preview is
// remembered and reaches the player before the next Play.
#include "app/main_dialog.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <functional>
#include <memory>

#include "app/editor_commands.h"
#include "app/icon_resources.h"
#include "app/sound_commands.h"
#include "tests/support/fake_audio_device.h"
#include "tests/support/fake_ui_services.h"

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
    ASSERT_TRUE(WaitUntil([&] {
      return device.QueryCount() + device.OpenCount() > asked && !GetPlayer().Stream().IsOpening();
    }));
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
  std::unique_ptr<MainDialog> dialog = std::make_unique<MainDialog>(icons, &device, &services);
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
    ASSERT_TRUE(WaitUntil([&] {
      return device.QueryCount() + device.OpenCount() > asked && !GetPlayer().Stream().IsOpening();
    }));
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
  dialog = std::make_unique<MainDialog>(icons, &device, &services);
  EXPECT_TRUE(dialog->Commands().Sound().LowLatencyAction()->isChecked());
  EXPECT_TRUE(GetPlayer().IsLowLatency());
  EXPECT_TRUE(services.messages.empty());
}

}  // namespace
