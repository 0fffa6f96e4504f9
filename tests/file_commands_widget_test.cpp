// The File commands through the dialog: documents and other trackers' waves round-trip and match
// their byte layouts, damaged files change nothing, exports are what the player sends, every way
// out keeps the last session, and the title follows the open file.
#include "app/main_dialog.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUndoStack>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/editor_commands.h"
#include "app/file_commands.h"
#include "app/icon_resources.h"
#include "editor/edit_history.h"
#include "editor/edit_session.h"
#include "files/document_file.h"
#include "files/session_store.h"
#include "formats/text_formats.h"
#include "tests/support/capture_audio_device.h"
#include "tests/support/dialog_fixture.h"
#include "zp/version.h"

namespace {

const QString kProduct = QStringLiteral(ZP_PRODUCT_NAME);

std::string ReadBytes(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  const QByteArray bytes = file.readAll();
  return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

void WriteBytes(const QString& path, const std::string& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  ASSERT_EQ(file.write(bytes.data(), static_cast<qint64>(bytes.size())),
            static_cast<qint64>(bytes.size()));
}

void PutLe(std::string& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xff);
}

uint32_t GetLe(const std::string& bytes, size_t at) {
  uint32_t value = 0;
  for (size_t i = 0; i < 4; ++i) value |= uint32_t{static_cast<uint8_t>(bytes[at + i])} << (8 * i);
  return value;
}

// The samples of a 16-bit mono RIFF WAVE file at 44 100 Hz, found by walking its chunks; empty
// when the file is not one.
std::vector<int16_t> WavSamples(const std::string& bytes) {
  if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0) {
    return {};
  }
  bool format = false;
  size_t at = 12;
  while (at + 8 <= bytes.size()) {
    const std::string id = bytes.substr(at, 4);
    const size_t size = GetLe(bytes, at + 4);
    const size_t body = at + 8;
    if (body + size > bytes.size()) return {};
    if (id == "fmt ") {
      const uint32_t tagAndChannels = GetLe(bytes, body);
      format = tagAndChannels == 0x00010001 && GetLe(bytes, body + 4) == 44100 &&
               (GetLe(bytes, body + 12) >> 16) == 16;
    } else if (id == "data" && format) {
      std::vector<int16_t> samples;
      for (size_t i = 0; i + 1 < size; i += 2) {
        samples.push_back(static_cast<int16_t>(static_cast<uint8_t>(bytes[body + i]) |
                                               static_cast<uint8_t>(bytes[body + i + 1]) << 8));
      }
      return samples;
    }
    at = body + size + (size & 1);
  }
  return {};
}

// A key pressed and released on `widget`; what it ignores goes on to its parents.
void KeyClick(QWidget* widget, int key) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QApplication::sendEvent(widget, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
  QApplication::sendEvent(widget, &release);
}

class FileCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder.isValid());
    QSettings().clear();
    QFile::remove(SessionFilePath());
  }

  QString Path(const char* name) const { return folder.filePath(QString::fromUtf8(name)); }
  static FileCommands& Files(MainDialog& on) { return on.Commands().Files(); }
  void Paste(MainDialog& on, const char* hex) {
    services.clipboard = hex;
    Control<QPushButton>(on, MainDialog::kIdPaste)->click();
  }
  static void ChoosePitch(MainDialog& on, int index) {
    auto* list = Control<QComboBox>(on, MainDialog::kIdPitchList);
    list->setCurrentIndex(index);
    list->activated(index);
  }
  static void SetAmplitudes(MainDialog& on, std::vector<uint8_t> amplitudes) {
    on.Session().Perform(QStringLiteral("harmonics"),
                         [&on, &amplitudes] { on.Pane().Model().SetAmplitudes(amplitudes); });
  }
  WaveEditorModel& Model() { return dialog.Pane().Model(); }
  int Steps() { return dialog.Session().History().count(); }

  QTemporaryDir folder;
  ButtonIcons icons = ButtonIcons::Load();
  FakeUiServices services;
  CaptureAudioDevice device;
  MainDialog dialog{icons, &device, &services};
};

TEST_F(FileCommandsTest, SaveThenOpenGivesBackTheStateAndTheTitleFollowsTheFile) {
  EXPECT_EQ(dialog.windowTitle(), kProduct);
  Paste(dialog, "00ff7f80102030a0");
  dialog.Session().Perform(QStringLiteral("mode"),
                           [this] { Model().SetMode(WaveEditorModel::kHold); });
  SetAmplitudes(dialog, {0, 127, 64, 255, 1, 200, 127, 127});
  dialog.Pane().SetHarmonicsView(WaveEditorModel::kHarmonicsView);
  ChoosePitch(dialog, 7);
  const WaveState saved = Model().State();
  const QString path = Path("wave.zpwave");

  ASSERT_TRUE(Files(dialog).SaveFile(path));
  EXPECT_EQ(Files(dialog).CurrentFile(), QFileInfo(path).absoluteFilePath());
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("wave.zpwave[*] - ") + kProduct);
  EXPECT_FALSE(dialog.isWindowModified());
  EXPECT_EQ(FileCommands::RecentList(), QStringList{QFileInfo(path).absoluteFilePath()});

  // An edit shows the mark, undoing it takes the mark away again.
  Paste(dialog, "7f7f");
  EXPECT_TRUE(dialog.isWindowModified());
  dialog.Session().Undo();
  EXPECT_FALSE(dialog.isWindowModified());

  // Something else entirely, then the file again: one step that undo takes back.
  Paste(dialog, "01020304");
  dialog.Pane().SetHarmonicsView(WaveEditorModel::kWaveView);
  ChoosePitch(dialog, 2);
  const WaveState beforeOpen = Model().State();
  const int steps = Steps();
  ASSERT_TRUE(Files(dialog).OpenFile(path));
  EXPECT_EQ(Model().State(), saved);
  EXPECT_EQ(Control<QComboBox>(dialog, MainDialog::kIdPitchList)->currentIndex(), 7);
  EXPECT_EQ(Control<QComboBox>(dialog, MainDialog::kIdLengthList)->currentText(), "8");
  EXPECT_EQ(Model().GetPlayer().CurrentTone(), 2);
  EXPECT_FALSE(dialog.isWindowModified());
  EXPECT_EQ(Steps(), steps + 1);

  dialog.Session().Undo();
  EXPECT_FALSE(EditHistory::DataDiffers(Model().State(), beforeOpen));
  EXPECT_TRUE(dialog.isWindowModified());
  EXPECT_TRUE(services.messages.empty());
}

// A bank is saved and opened whole, current wave included; a tracker's wave file opens as a bank
// of one; opening is one step that undo takes back, bank and all.
TEST_F(FileCommandsTest, ABankSavesAndOpensWholeAndAWaveFileOpensAsABankOfOne) {
  EditSession& session = dialog.Session();
  Paste(dialog, "1020");
  session.AddWave();
  Paste(dialog, "30405060");
  session.AddWave();
  Paste(dialog, "7f80");
  session.ChooseWave(1);
  const std::vector<WaveState> bank = session.Waves();
  ASSERT_TRUE(Files(dialog).SaveFile(Path("bank.zpwave")));
  ASSERT_TRUE(Files(dialog).SaveFile(Path("one.fuw")));

  ASSERT_TRUE(Files(dialog).OpenFile(Path("one.fuw")));
  EXPECT_EQ(session.WaveCount(), 1);
  ASSERT_TRUE(Files(dialog).OpenFile(Path("bank.zpwave")));
  EXPECT_EQ(session.Waves(), bank);
  EXPECT_EQ(session.CurrentWave(), 1);
  EXPECT_FALSE(dialog.isWindowModified());
  session.Undo();
  EXPECT_EQ(session.WaveCount(), 1);
  EXPECT_TRUE(services.messages.empty());
}

TEST_F(FileCommandsTest, FurnaceAndGameBoyFilesHoldTheirToolsLayoutAndOpenAgain) {
  // Furnace: −128, 0, 127, −1 as unsigned values of a wave of height 256, named after the file.
  Paste(dialog, "80007fff");
  std::string fuw = "-Furnace waveta-";
  PutLe(fuw, 143, 2);
  PutLe(fuw, 0, 2);
  fuw += "WAVE";
  PutLe(fuw, 5 + 12 + 4 * 4, 4);
  fuw += std::string("tiny") + '\0';
  for (uint32_t value : {4u, 0u, 255u, 0u, 128u, 255u, 127u}) PutLe(fuw, value, 4);
  ASSERT_TRUE(Files(dialog).SaveFile(Path("tiny.fuw")));
  EXPECT_EQ(ReadBytes(Path("tiny.fuw")), fuw);
  EXPECT_FALSE(dialog.isWindowModified());

  // Game Boy: 32 levels 0..15, one byte each; level u is our sample u × 17 − 128.
  std::string ugw;
  std::string hex;
  for (int k = 0; k < 32; ++k) {
    const int level = (k * 5) % 16;
    ugw += static_cast<char>(level);
    char code[3];
    std::snprintf(code, sizeof code, "%02x", (level * 17 - 128) & 0xff);
    hex += code;
  }
  Paste(dialog, hex.c_str());
  const std::vector<uint16_t> ugwSamples = Model().Samples();
  ASSERT_TRUE(Files(dialog).SaveFile(Path("levels.ugw")));
  EXPECT_EQ(ReadBytes(Path("levels.ugw")), ugw);
  EXPECT_FALSE(dialog.isWindowModified());

  // A 4-sample wave in a .ugw is resampled to 32: the file holds less, the mark stays, and a
  // message says what changed.
  Paste(dialog, "80007fff");
  ASSERT_TRUE(Files(dialog).SaveFile(Path("short.ugw")));
  EXPECT_TRUE(dialog.isWindowModified());
  ASSERT_EQ(services.messages.size(), 1u);
  EXPECT_EQ(services.messages[0],
            "A .ugw file holds 32 samples of 16 levels: the wave was resampled from 4 to 32 "
            "samples and reduced to 16 levels.");
  services.messages.clear();

  // Opening takes the samples at their length and keeps the mode and the harmonics.
  Paste(dialog, "0102030405060708");
  SetAmplitudes(dialog, {9, 8, 7, 6, 5, 4, 3, 2});
  const int32_t mode = Model().Mode();
  ASSERT_TRUE(Files(dialog).OpenFile(Path("tiny.fuw")));
  EXPECT_EQ(Model().Samples(), (std::vector<uint16_t>{0x80, 0x00, 0x7f, 0xff}));
  EXPECT_EQ(Model().Amplitudes(), (std::vector<uint8_t>{9, 8, 7, 6}));
  EXPECT_EQ(Model().Mode(), mode);
  EXPECT_EQ(Control<QComboBox>(dialog, MainDialog::kIdLengthList)->currentText(), "4");
  ASSERT_TRUE(Files(dialog).OpenFile(Path("levels.ugw")));
  EXPECT_EQ(Model().Samples(), ugwSamples);
  // A Game Boy tracker wave is a wave of 16 levels.
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("levels.ugw[*] - 16 levels - ") + kProduct);
  EXPECT_TRUE(services.messages.empty());

  // A .fuw of 128 samples of height 32 comes in resampled to 64: said, and marked as edited, so
  // that Save does not pass for the file unchanged.
  std::string long32 = "-Furnace waveta-";
  PutLe(long32, 143, 4);
  long32 += "WAVE";
  PutLe(long32, 1 + 12 + 4 * 128, 4);
  long32 += '\0';
  for (uint32_t value : {128u, 0u, 31u}) PutLe(long32, value, 4);
  for (uint32_t i = 0; i < 128; ++i) PutLe(long32, i / 4, 4);
  WriteBytes(Path("long.fuw"), long32);
  ASSERT_TRUE(Files(dialog).OpenFile(Path("long.fuw")));
  EXPECT_EQ(Model().GetLength(), 64);
  EXPECT_EQ(Model().Samples()[63], 0x7f);  // level 31 of 32
  EXPECT_TRUE(dialog.isWindowModified());
  EXPECT_EQ(Model().WaveHeight(), 32);
  ASSERT_EQ(services.messages.size(), 1u);
  EXPECT_EQ(services.messages[0],
            "The file holds 128 samples; the wave was resampled to 64 samples, so saving it back "
            "changes the file.");

  // A PC Engine wave saved by another Furnace version, without a name: opened and saved again,
  // the same bytes, at its height 32.
  std::string pce = "-Furnace waveta-";
  PutLe(pce, 100, 4);
  pce += "WAVE";
  PutLe(pce, 1 + 12 + 4 * 32, 4);
  pce += '\0';
  for (uint32_t value : {32u, 0u, 31u}) PutLe(pce, value, 4);
  for (uint32_t i = 0; i < 32; ++i) PutLe(pce, i * 7 % 32, 4);
  WriteBytes(Path("pce.fuw"), pce);
  services.messages.clear();
  ASSERT_TRUE(Files(dialog).OpenFile(Path("pce.fuw")));
  EXPECT_FALSE(dialog.isWindowModified());
  ASSERT_TRUE(Files(dialog).SaveFile(Path("pce.fuw")));
  EXPECT_EQ(ReadBytes(Path("pce.fuw")), pce);
  EXPECT_TRUE(services.messages.empty());

  // The 33 bytes of an early Game Boy tracker's file: the first 32, with a word.
  services.messages.clear();
  WriteBytes(Path("early.ugw"), ugw + '\x0f');
  ASSERT_TRUE(Files(dialog).OpenFile(Path("early.ugw")));
  EXPECT_EQ(Model().Samples(), ugwSamples);
  EXPECT_FALSE(dialog.isWindowModified());
  ASSERT_EQ(services.messages.size(), 1u);
  EXPECT_NE(services.messages[0].find("33 bytes; the first 32 were read"), std::string::npos);
}

TEST_F(FileCommandsTest, ADamagedFileIsRefusedWithAMessageAndChangesNothing) {
  ASSERT_TRUE(Files(dialog).SaveFile(Path("good.zpwave")));
  Paste(dialog, "10203040");
  const struct {
    const char* name;
    std::string bytes;
    const char* reason;
  } cases[] = {
      {"mode.zpwave",
       "zpwave 1\nlength = 4\nmode = loud\nview = wave\nnote = 45\nwave = 00112233\n"
       "harmonics = 1, 2, 3, 4\n",
       "Line 3: the mode must be"},
      {"wave.zpwave",
       "zpwave 1\nlength = 4\nmode = hold\nview = wave\nnote = 45\nwave = 0011zz33\n"
       "harmonics = 1, 2, 3, 4\n",
       "Line 6: character 5 of the wave"},
      {"later.zpwave", "zpwave 7\n", "Line 1:"},
      {"cut.fuw", "-Furnace waveta-\x8f", "cut short"},
      {"short.ugw", std::string(31, '\x01'), "this one has 31"},
      {"missing.zpwave", "", "does not exist"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    if (std::string(c.name) != "missing.zpwave") WriteBytes(Path(c.name), c.bytes);
    services.messages.clear();
    const WaveState before = Model().State();
    const int steps = Steps();
    const QString title = dialog.windowTitle();
    const bool modified = dialog.isWindowModified();

    EXPECT_FALSE(Files(dialog).OpenFile(Path(c.name)));
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_NE(services.messages[0].find(c.name), std::string::npos) << services.messages[0];
    EXPECT_NE(services.messages[0].find(c.reason), std::string::npos) << services.messages[0];
    EXPECT_EQ(Model().State(), before);
    EXPECT_EQ(Steps(), steps);
    EXPECT_EQ(dialog.windowTitle(), title);
    EXPECT_EQ(dialog.isWindowModified(), modified);
    EXPECT_EQ(Files(dialog).CurrentFile(), QFileInfo(Path("good.zpwave")).absoluteFilePath());
  }
}

TEST_F(FileCommandsTest, ExportSoundIsWhatPlaySendsAlsoWhilePlaying) {
  Paste(dialog, "00407f40c080c0f0");
  dialog.Session().Perform(QStringLiteral("mode"),
                           [this] { Model().SetMode(WaveEditorModel::kPoly); });
  SetAmplitudes(dialog, {0, 40, 127, 90, 127, 127, 10, 127});
  ChoosePitch(dialog, 6);
  Player& player = Model().GetPlayer();
  constexpr int32_t kCount = 11025;  // 0.25 s
  for (const int32_t view : {WaveEditorModel::kWaveView, WaveEditorModel::kHarmonicsView}) {
    SCOPED_TRACE(view);
    dialog.Pane().SetHarmonicsView(view);
    const std::vector<int16_t> expected =
        player.RenderPcm(view == WaveEditorModel::kWaveView ? 1 : 2, 50, kCount);
    ASSERT_EQ(expected.size(), static_cast<size_t>(kCount));

    const QString path = Path("sound.wav");
    ASSERT_TRUE(Files(dialog).ExportSound(path, 0.25));
    EXPECT_EQ(WavSamples(ReadBytes(path)), expected);

    // While playing (the device holds the sound back, so it plays on) the export is the same.
    device.SetPaused(true);
    dialog.Pane().Play();
    ASSERT_TRUE(player.IsPlaying());
    QFile::remove(path);
    ASSERT_TRUE(Files(dialog).ExportSound(path, 0.25));
    EXPECT_EQ(WavSamples(ReadBytes(path)), expected);
    dialog.Pane().Stop();
    device.SetPaused(false);
    while (player.IsPlaying()) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  EXPECT_TRUE(services.messages.empty());
}

TEST_F(FileCommandsTest, ASingleCycleExportComesBackWithinOneLevel) {
  const char* const wave = "00305a7f6a3010e0c0a08090b0d0f005";
  for (const int32_t mode : {WaveEditorModel::kHold, WaveEditorModel::kPoly}) {
    SCOPED_TRACE(mode);
    Paste(dialog, wave);
    dialog.Session().Perform(QStringLiteral("mode"), [this, mode] { Model().SetMode(mode); });
    const std::vector<uint16_t> original = Model().Samples();
    const QString path = Path("cycle.wav");
    ASSERT_TRUE(Files(dialog).ExportSingleCycle(path));
    EXPECT_EQ(WavSamples(ReadBytes(path)).size(), 2048u);

    Paste(dialog, "00000000000000000000000000000000");
    const int steps = Steps();
    ASSERT_TRUE(Files(dialog).ImportWav(path, 2048));
    EXPECT_EQ(Steps(), steps + 1);
    ASSERT_EQ(Model().Samples().size(), original.size());
    for (size_t k = 0; k < original.size(); ++k) {
      const int got = static_cast<int8_t>(Model().Samples()[k]);
      const int want = static_cast<int8_t>(original[k]);
      EXPECT_LE(std::abs(got - want), 1) << "sample " << k;
    }
  }
  EXPECT_TRUE(services.messages.empty());
}

TEST_F(FileCommandsTest, TheMenuCommandsAskTheirQuestionsAndSaveWithoutAFileAsksForOne) {
  std::vector<FileCommands::PathQuestion> paths;
  QString answer = Path("asked.zpwave");
  Files(dialog).askPath = [&](const FileCommands::PathQuestion& question) {
    paths.push_back(question);
    return answer;
  };
  std::optional<double> number = 0.5;
  int numbers = 0;
  Files(dialog).askNumber = [&](const FileCommands::NumberQuestion&) {
    ++numbers;
    return number;
  };
  const auto trigger = [this](const char* text) {
    QAction* action = dialog.findChild<QAction*>(QString::fromUtf8(text));
    ASSERT_NE(action, nullptr) << text;
    ASSERT_TRUE(Files(dialog).FileMenu()->actions().contains(action)) << text;
    action->trigger();
  };

  Paste(dialog, "00ff00ff");
  trigger("Save");
  ASSERT_EQ(paths.size(), 1u);
  EXPECT_TRUE(paths[0].save);
  EXPECT_EQ(Files(dialog).CurrentFile(), QFileInfo(answer).absoluteFilePath());
  // With a file open, Save asks nothing.
  Paste(dialog, "7f7f");
  trigger("Save");
  EXPECT_EQ(paths.size(), 1u);
  EXPECT_FALSE(dialog.isWindowModified());

  answer = Path("asked.wav");
  trigger("Export Sound...");
  EXPECT_EQ(numbers, 1);
  EXPECT_EQ(WavSamples(ReadBytes(answer)).size(), 22050u);
  // A cancelled question asks nothing more and does nothing.
  number.reset();
  trigger("Import WAV, First Samples as One Cycle...");
  EXPECT_EQ(numbers, 2);
  EXPECT_EQ(paths.size(), 2u);
  EXPECT_TRUE(services.messages.empty());
}

TEST_F(FileCommandsTest, ARecentFileThatHasGoneIsRemovedWithAMessage) {
  ASSERT_TRUE(Files(dialog).SaveFile(Path("kept.zpwave")));
  ASSERT_TRUE(Files(dialog).SaveFile(Path("gone.zpwave")));
  ASSERT_TRUE(QFile::remove(Path("gone.zpwave")));
  const WaveState before = Model().State();

  EXPECT_FALSE(Files(dialog).OpenRecent(QFileInfo(Path("gone.zpwave")).absoluteFilePath()));
  ASSERT_EQ(services.messages.size(), 1u);
  EXPECT_NE(services.messages[0].find("gone.zpwave"), std::string::npos);
  EXPECT_EQ(FileCommands::RecentList(),
            QStringList{QFileInfo(Path("kept.zpwave")).absoluteFilePath()});
  EXPECT_EQ(Model().State(), before);
}

TEST_F(FileCommandsTest, EveryWayOutKeepsTheSessionThatRestoreBringsBack) {
  const struct {
    const char* name;
    const char* wave;
    int32_t note;  // a note of the pitch list, or one between its notes
    std::function<void(MainDialog&)> leave;
  } routes[] = {
      {"Exit button", "00ff", 21,
       [](MainDialog& d) { Control<QPushButton>(d, MainDialog::kIdExit)->click(); }},
      {"Esc", "1020304050607080", 26, [](MainDialog& d) { KeyClick(&d, Qt::Key_Escape); }},
      {"Enter on a list", "7f7f8080", 57,
       [](MainDialog& d) {
         auto* list = Control<QComboBox>(d, MainDialog::kIdLengthList);
         list->setFocus();
         KeyClick(list, Qt::Key_Return);
       }},
      {"close box", "c0c0c0c040404040", 69, [](MainDialog& d) { d.close(); }},
      {"signal", "0a0b0c0d", 47, [](MainDialog& d) { d.Quit(); }},
  };
  constexpr int kListNotes[] = {14, 21, 26, 33, 38, 45, 50, 57, 62, 69};
  // Each route leaves an edited open file: the question is answered Discard.
  services.saveAnswer = SaveAnswer::kDiscard;
  for (const auto& route : routes) {
    SCOPED_TRACE(route.name);
    QFile::remove(SessionFilePath());
    const QString file = Path("session-file.zpwave");
    WaveState left;
    {
      MainDialog first(icons, nullptr, &services);
      Files(first).KeepSessionOnExit(true);  // as the application does
      first.show();
      ASSERT_TRUE(Files(first).SaveFile(file));
      Paste(first, route.wave);  // edited after the save
      first.Pane().SetHarmonicsView(WaveEditorModel::kHarmonicsView);
      // A note the way a file brings one: the pitch list follows the session.
      first.Session().Perform(QStringLiteral("note"), [&] { first.Pane().SetNote(route.note); });
      left = first.Pane().Model().State();
      route.leave(first);
      EXPECT_FALSE(first.isVisible());
    }
    MainDialog second(icons, nullptr, &services);
    ASSERT_TRUE(Files(second).RestoreLastSession());
    EXPECT_EQ(second.Pane().Model().State(), left);
    EXPECT_EQ(Files(second).CurrentFile(), QFileInfo(file).absoluteFilePath());
    EXPECT_EQ(second.windowTitle(), QStringLiteral("session-file.zpwave[*] - ") + kProduct);
    EXPECT_TRUE(second.isWindowModified());
    // The pitch list shows a note of its own; a note between them leaves it on its first item.
    const auto* item = std::find(std::begin(kListNotes), std::end(kListNotes), route.note);
    const int index = item == std::end(kListNotes) ? 5 : static_cast<int>(item - kListNotes);
    EXPECT_EQ(Control<QComboBox>(second, MainDialog::kIdPitchList)->currentIndex(), index);
    // One step: undo brings back the start-up wave.
    second.Session().Undo();
    EXPECT_EQ(second.Pane().Model().Samples(), std::vector<uint16_t>(32, 0));
  }
  EXPECT_TRUE(services.messages.empty());
}

TEST_F(FileCommandsTest, OpenRestoreAndUndoUnderATargetKeepTheChipsLength) {
  // Waves of 64, 16 and 8 samples kept with no target.
  Paste(dialog, std::string(128, '4').c_str());
  ASSERT_TRUE(Files(dialog).SaveFile(Path("long.zpwave")));
  Paste(dialog, std::string(32, 'c').c_str());
  ASSERT_TRUE(Files(dialog).SaveFile(Path("short.fuw")));
  Paste(dialog, std::string(16, '2').c_str());
  ASSERT_TRUE(Files(dialog).SaveLastSession());
  dialog.Session().SetTarget(ChipTarget::kGameBoy);  // 32 samples only
  const struct {
    const char* name;
    std::function<bool()> load;
  } loads[] = {
      {"open a document", [this] { return Files(dialog).OpenFile(Path("long.zpwave")); }},
      {"open a Furnace wave", [this] { return Files(dialog).OpenFile(Path("short.fuw")); }},
      {"restore the last session", [this] { return Files(dialog).RestoreLastSession(); }},
  };
  for (const auto& each : loads) {
    SCOPED_TRACE(each.name);
    ASSERT_TRUE(each.load());
    EXPECT_EQ(Model().GetLength(), 32);
    EXPECT_EQ(Control<QComboBox>(dialog, MainDialog::kIdLengthList)->currentText(), "32");
  }
  for (size_t i = 0; i < std::size(loads); ++i) {
    dialog.Session().Undo();
    EXPECT_EQ(Model().GetLength(), 32) << i;
  }
  // Undoing the target's step puts back the length it had before, with no target.
  dialog.Session().Undo();
  EXPECT_EQ(Model().GetChipTarget(), ChipTarget::kNone);
  EXPECT_EQ(Model().GetLength(), 8);
  EXPECT_TRUE(services.messages.empty());
}

TEST_F(FileCommandsTest, TheTitleNamesTheTargetOrHeightAndTheDocumentKeepsThem) {
  const struct {
    bool file;
    ChipTarget target;
    int32_t height;  // for no chip
    QString title;
  } cases[] = {
      {false, ChipTarget::kNone, 256, kProduct},
      {false, ChipTarget::kNone, 32, QStringLiteral("32 levels - ") + kProduct},
      {false, ChipTarget::kGameBoy, 32, QStringLiteral("Game Boy - ") + kProduct},
      {true, ChipTarget::kGameBoy, 32, QStringLiteral("kept.zpwave - Game Boy - ") + kProduct},
      {true, ChipTarget::kNone, 16, QStringLiteral("kept.zpwave - 16 levels - ") + kProduct},
      {true, ChipTarget::kNone, 256, QStringLiteral("kept.zpwave - ") + kProduct},
  };
  Paste(dialog, "00112233445566778899aabbccddeeff00112233445566778899aabbccddeeff");
  for (const auto& each : cases) {
    SCOPED_TRACE(each.title.toStdString());
    dialog.Session().SetTarget(ChipTarget::kNone);
    dialog.Session().SetHeight(each.height);
    dialog.Session().SetTarget(each.target);
    if (each.file) {
      ASSERT_TRUE(Files(dialog).SaveFile(Path("kept.zpwave")));
    }
    QString title = dialog.windowTitle();
    title.remove(QStringLiteral("[*]"));
    EXPECT_EQ(title, each.title);
    if (!each.file) continue;
    // The document gives back its target and height, whatever the editor holds before.
    const WaveState saved = Model().State();
    dialog.Session().SetTarget(ChipTarget::kNone);
    dialog.Session().SetHeight(64);
    ASSERT_TRUE(Files(dialog).OpenFile(Path("kept.zpwave")));
    EXPECT_EQ(Model().GetChipTarget(), each.target);
    EXPECT_EQ(Model().WaveHeight(), each.target == ChipTarget::kNone ? each.height : 16);
    EXPECT_EQ(Model().State(), saved);
  }
  QSettings().remove(QStringLiteral("target"));
}

TEST_F(FileCommandsTest, SavingFewerSamplesOverTheOpenFileAsksFirst) {
  // A Furnace wave of 128 samples at height 32, written by hand; it opens as 64 samples.
  std::string long32 = "-Furnace waveta-";
  PutLe(long32, 143, 4);
  long32 += "WAVE";
  PutLe(long32, 1 + 12 + 4 * 128, 4);
  long32 += '\0';
  for (uint32_t value : {128u, 0u, 31u}) PutLe(long32, value, 4);
  for (uint32_t i = 0; i < 128; ++i) PutLe(long32, i / 4, 4);
  const struct {
    OverwriteAnswer answer;
    bool saved;
    bool overwritten;  // the 128 samples replaced
    const char* current;
  } cases[] = {
      {OverwriteAnswer::kCancel, false, false, "long.fuw"},
      {OverwriteAnswer::kSaveAs, true, false, "other.fuw"},
      {OverwriteAnswer::kOverwrite, true, true, "long.fuw"},
  };
  Files(dialog).askPath = [this](const FileCommands::PathQuestion&) { return Path("other.fuw"); };
  for (const auto& each : cases) {
    SCOPED_TRACE(static_cast<int>(each.answer));
    WriteBytes(Path("long.fuw"), long32);
    QFile::remove(Path("other.fuw"));
    ASSERT_TRUE(Files(dialog).OpenFile(Path("long.fuw")));
    services.overwriteQuestions.clear();
    services.overwriteAnswer = each.answer;
    EXPECT_EQ(Files(dialog).SaveFile(Path("long.fuw")), each.saved);
    ASSERT_EQ(services.overwriteQuestions.size(), 1u);
    EXPECT_EQ(services.overwriteQuestions[0],
              "“long.fuw” holds 128 samples of 32 levels; saving over it writes 64 samples of 32 "
              "levels. Overwrite it, or save the wave as another file?");
    EXPECT_EQ(ReadBytes(Path("long.fuw")) == long32, !each.overwritten);
    EXPECT_EQ(QFile::exists(Path("other.fuw")), each.answer == OverwriteAnswer::kSaveAs);
    EXPECT_EQ(QFileInfo(Files(dialog).CurrentFile()).fileName().toStdString(), each.current);
  }
  // The file now holds what the wave holds: the next save asks nothing.
  services.overwriteQuestions.clear();
  EXPECT_TRUE(Files(dialog).SaveFile(Path("long.fuw")));
  EXPECT_TRUE(services.overwriteQuestions.empty());
}

TEST_F(FileCommandsTest, ClosingWithUnsavedChangesAsksToSave) {
  const struct {
    SaveAnswer answer;
    bool closes;
    const char* fileHolds;  // the wave in the file afterwards
  } cases[] = {
      {SaveAnswer::kSave, true, "00ff"},
      {SaveAnswer::kDiscard, true, "0000"},
      {SaveAnswer::kCancel, false, "0000"},
  };
  const QString file = Path("asked.zpwave");
  for (const auto& each : cases) {
    SCOPED_TRACE(static_cast<int>(each.answer));
    MainDialog asked(icons, nullptr, &services);
    asked.show();
    Paste(asked, "0000");
    ASSERT_TRUE(Files(asked).SaveFile(file));
    // Saved and unchanged: Exit asks nothing.
    services.saveQuestions.clear();
    Paste(asked, "00ff");
    services.saveAnswer = each.answer;
    Control<QPushButton>(asked, MainDialog::kIdExit)->click();
    EXPECT_EQ(services.saveQuestions, std::vector<std::string>{"asked.zpwave"});
    EXPECT_EQ(asked.isVisible(), !each.closes);
    const DocumentReadResult read = LoadWaveDocument(file);
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(WriteWaveText(read.document.state.samples), each.fileHolds);
  }
  // With no file open the exit stays immediate.
  services.saveQuestions.clear();
  MainDialog unnamed(icons, nullptr, &services);
  unnamed.show();
  Paste(unnamed, "00ff");
  KeyClick(&unnamed, Qt::Key_Escape);
  EXPECT_FALSE(unnamed.isVisible());
  EXPECT_TRUE(services.saveQuestions.empty());
}

}  // namespace
