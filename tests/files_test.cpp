// The editor's files: the wave document, atomic writes, WAV export and import, the session.
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <iostream>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>
#include <sndfile.h>
#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "files/atomic_file.h"
#include "files/bank_files.h"
#include "files/document_file.h"
#include "files/recent_files.h"
#include "files/session_store.h"
#include "files/wav_export.h"
#include "files/wav_import.h"
#include "files/wave_document.h"
#include "support/private_tmpfs.h"

using namespace std::string_view_literals;

namespace {

constexpr double kPi = 3.14159265358979323846;

WaveDocument SampleDocument() {
  WaveDocument document;
  document.state.length = 8;
  document.state.samples = {0x00, 0x7f, 0x80, 0xff, 0x12, 0xab, 0x40, 0xc0};
  document.state.amplitudes = {0, 127, 64, 255, 1, 200, 127, 127};
  document.state.mode = 2;
  document.state.view = 1;
  document.state.note = 60;
  return document;
}

std::string ReadAll(const QString& path) {
  QFile file(path);
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
  return file.readAll().toStdString();
}

// Writes interleaved full-scale values with libsndfile, independently of the code under test.
void WriteSound(const QString& path, int format, int rate, int channels,
                const std::vector<double>& interleaved) {
  SF_INFO info{};
  info.samplerate = rate;
  info.channels = channels;
  info.format = format;
  SNDFILE* sound = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
  ASSERT_NE(sound, nullptr) << sf_strerror(nullptr);
  const sf_count_t frames = static_cast<sf_count_t>(interleaved.size()) / channels;
  EXPECT_EQ(sf_writef_double(sound, interleaved.data(), frames), frames);
  sf_close(sound);
}

// A smooth cycle, phase 0..1 → about −0.85..0.85.
double TestCycle(double phase) {
  return 0.6 * std::sin(2 * kPi * phase) + 0.25 * std::sin(4 * kPi * phase + 1.0);
}

std::vector<uint16_t> TestWave(int32_t length, uint32_t seed) {
  std::mt19937 random(seed);
  std::vector<uint16_t> samples(static_cast<size_t>(length));
  for (auto& s : samples) s = static_cast<uint16_t>(random() & 0xff);
  samples[0] = 0x80;                                // −128
  samples[static_cast<size_t>(length - 1)] = 0x7f;  // +127
  return samples;
}

// Three waves at 16 levels: two of 32 samples (a .ugw's length) and one of 8.
WaveBank SixteenLevelBank() {
  WaveBank bank;
  for (size_t w = 0; w < 3; ++w) {
    std::vector<int8_t> wave(w < 2 ? 32 : 8);
    for (size_t i = 0; i < wave.size(); ++i) {
      wave[i] = static_cast<int8_t>(static_cast<int>((i * (w + 3)) % 16) * 17 - 128);
    }
    bank.waves.push_back(wave);
  }
  return bank;
}

std::vector<uint8_t> Bytes(const std::string& path) {
  const std::string bytes = ReadAll(QString::fromStdString(path));
  return {bytes.begin(), bytes.end()};
}

}  // namespace

TEST(WaveDocumentTest, WritesReadableTextThatReadsBackToTheSameDocument) {
  WaveDocument document = SampleDocument();
  EXPECT_EQ(WriteWaveDocument(document),
            "zpwave 2\nlength = 8\nmode = poly\nview = harmonics\nnote = 60\n"
            "wave = 007f80ff12ab40c0\nharmonics = 0, 127, 64, 255, 1, 200, 127, 127\n"
            "height = 256\nend\n");

  document.target = "gameboy";
  document.height = 16;
  document.fileName = " /tmp/wäve\\x\n \t";  // edge spaces, backslash, control characters
  const DocumentReadResult read = ReadWaveDocument(WriteWaveDocument(document));
  ASSERT_TRUE(read.ok) << read.error.Text();
  EXPECT_EQ(read.document, document);
}

// A bank of several waves is a version 3 document and reads back wave for wave; a bank of one
// stays a version 2 document, as do version 1 and 2 documents read.
TEST(WaveDocumentTest, ABankReadsBackWaveForWave) {
  WaveDocument document = SampleDocument();
  WaveState second = document.state;
  second.length = 2;
  second.mode = 1;
  second.samples = {0x80, 0x7f};
  second.amplitudes = {0, 127};
  document.waves = {second, document.state, second};
  document.waves[2].samples = {0x01, 0x02};
  document.current = 1;
  const std::string text = WriteWaveDocument(document);
  EXPECT_EQ(text.substr(0, 9), "zpwave 3\n");
  EXPECT_NE(text.find("waves = 3\ncurrent = 2\nlength 1 = 2\nmode 1 = hold\nwave 1 = 807f\n"
                      "harmonics 1 = 0, 127\nlength 3 = 2\n"),
            std::string::npos);
  const DocumentReadResult read = ReadWaveDocument(text);
  ASSERT_TRUE(read.ok) << read.error.Text();
  EXPECT_EQ(read.document, document);

  document.waves.clear();
  document.current = 0;
  EXPECT_EQ(WriteWaveDocument(document).substr(0, 9), "zpwave 2\n");
  const DocumentReadResult one = ReadWaveDocument(WriteWaveDocument(document));
  ASSERT_TRUE(one.ok);
  EXPECT_TRUE(one.document.waves.empty());
}

TEST(WaveDocumentTest, AcceptsCommentsCrLfUpperCaseHexAndIgnoresUnknownKeys) {
  const DocumentReadResult read = ReadWaveDocument(
      "zpwave 1\r\n# made by hand\r\n\r\nwave = 00FF\r\nlength=2\r\nmode = hold\r\n"
      "view = wave\r\nnote = 0\r\nharmonics = 5,127\r\ncolour = blue\r\n");
  ASSERT_TRUE(read.ok) << read.error.Text();
  EXPECT_EQ(read.document.state.samples, (std::vector<uint16_t>{0x00, 0xff}));
  EXPECT_EQ(read.document.state.amplitudes, (std::vector<uint8_t>{5, 127}));
  EXPECT_EQ(read.document.state.mode, 1);
  EXPECT_EQ(read.document.state.note, 0);
  EXPECT_TRUE(read.document.target.empty());
}

// Version 1 had no height: its documents read with their target's (256 without one), and a
// height key there means nothing yet.
TEST(WaveDocumentTest, ReadsTheHeightAndTakesTheTargetsForVersionOne) {
  const std::string body =
      "length = 2\nmode = hold\nview = wave\nnote = 0\nwave = 00ff\n"
      "harmonics = 5, 127\n";
  struct Case {
    std::string text;
    int32_t height;
  };
  const std::vector<Case> cases = {
      {"zpwave 1\n" + body, 256},
      {"zpwave 1\n" + body + "target = gameboy\n", 16},
      {"zpwave 1\n" + body + "target = pce\nheight = 16\n", 32},
      {"zpwave 1\n" + body + "height = 16\n", 256},
      {"zpwave 2\n" + body + "height = 32\nend\n", 32},
      {"zpwave 2\n" + body + "target = fds\nend\n", 64},
      {"zpwave 2\n" + body + "target = none\nheight = 16\nend\n", 16},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const DocumentReadResult read = ReadWaveDocument(c.text);
    ASSERT_TRUE(read.ok) << read.error.Text();
    EXPECT_EQ(read.document.height, c.height);
  }
}

TEST(WaveDocumentTest, RefusesDamagedTextsNamingTheLine) {
  const std::string head = "zpwave 1\nlength = 2\nmode = hold\nview = wave\nnote = 45\n";
  const std::string good = head + "wave = 00ff\nharmonics = 0, 127\n";
  struct Case {
    std::string text;
    std::string line;
    std::string says;
  };
  const std::vector<Case> cases = {
      {"", "1", "not a wave document"},
      {"zpwav 1\n", "1", "not a wave document"},
      {"zpwave 4\nlength = 2\n", "1",
       "format version 4, written by a later version of this program; this one reads up to "
       "version 3."},
      // A bank: its count and current wave, and every other wave's four fields, all required.
      {"zpwave 3\n" + good.substr(9) + "waves = 0\nend\n", "8", "“waves” must be a whole number"},
      {"zpwave 3\n" + good.substr(9) + "waves = 257\nend\n", "8", "from 1 to 256, not “257”"},
      {"zpwave 3\n" + good.substr(9) + "waves = 2\nend\n", "8", "without “current = …”"},
      {"zpwave 3\n" + good.substr(9) + "waves = 2\ncurrent = 3\nend\n", "9",
       "from 1 to 2, not “3”"},
      {"zpwave 3\n" + good.substr(9) + "waves = 2\ncurrent = 1\nend\n", "9",
       "without “length 2 = …”"},
      {"zpwave 3\n" + good.substr(9) +
           "waves = 2\ncurrent = 2\nlength 1 = 2\nmode 1 = hold\nwave 1 = 00f\n"
           "harmonics 1 = 0, 1\nend\n",
       "12", "3 hexadecimal digits"},
      {"zpwave 2\nlength = 2\nmode = hold\nview = wave\nnote = 45\nwave = 00ff\nharmonics = 0, 1\n",
       "7", "without its last line “end”"},
      {"zpwave 2\nlength = 2\nmode = hold\nview = wave\nnote = 45\nwave = 00ff\nharmonics = 0, "
       "1\nend\nnote = 3\n",
       "9", "text after “end”"},
      {"zpwave 2\n" + good.substr(9) + "height = 20\nend\n", "8", "16, 32, 64 or 256, not “20”"},
      {"zpwave 2\n" + good.substr(9) + "target = gameboy\nheight = 32\nend\n", "9",
       "“gameboy” has height 16, not 32"},
      {head + "wave = 00ff\n", "6", "without “harmonics"},
      {"zpwave 1\nlength = 12\nmode = hold\nview = wave\nnote = 45\nwave = 00ff\nharmonics = 0, "
       "1\n",
       "2", "the length must be"},
      {"zpwave 1\nlength = 2\nmode = loop\nview = wave\nnote = 45\nwave = 00ff\nharmonics = 0, 1\n",
       "3", "“hold” or “poly”"},
      {"zpwave 1\nlength = 2\nmode = hold\nview = side\nnote = 45\nwave = 00ff\nharmonics = 0, 1\n",
       "4", "“wave” or “harmonics”"},
      {"zpwave 1\nlength = 2\nmode = hold\nview = wave\nnote = 96\nwave = 00ff\nharmonics = 0, 1\n",
       "5", "the note must be"},
      {head + "wave = 00fg\nharmonics = 0, 127\n", "6", "character 4 of the wave, “g”"},
      {head + "wave = 0é0f\nharmonics = 0, 127\n", "6", "character 2 of the wave, “é”"},
      {head + "wave = 00ff00\nharmonics = 0, 127\n", "6", "6 hexadecimal digits"},
      {head + "wave = 00ff\nharmonics = 0, 300\n", "7", "harmonic 2, “300”"},
      {head + "wave = 00ff\nharmonics = 0, , 1\n", "7", "harmonic 2, “”"},
      {head + "wave = 00ff\nharmonics = 0, 127, 127\n", "7", "3 harmonics"},
      {good + "note = 40\n", "8", "second time (first on line 5)"},
      {good + "just words\n", "8", "expected “key = value”"},
      {good + "target = a\\qb\n", "8", "backslash"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const DocumentReadResult read = ReadWaveDocument(c.text);
    ASSERT_FALSE(read.ok);
    EXPECT_STREQ(read.error.context, "WaveDocument");
    ASSERT_FALSE(read.error.args.empty());
    EXPECT_EQ(read.error.args[0], c.line);
    EXPECT_NE(read.error.Text().find(c.says), std::string::npos) << read.error.Text();
    EXPECT_EQ(read.document, WaveDocument());
  }
}

TEST(WaveDocumentTest, ADocumentCutAnywhereIsRefused) {
  WaveDocument document = SampleDocument();
  document.target = "gameboy";
  const std::string text = WriteWaveDocument(document);
  // Every cut before the last newline loses at least part of "end".
  for (size_t cut = 0; cut + 1 < text.size(); ++cut) {
    EXPECT_FALSE(ReadWaveDocument(text.substr(0, cut)).ok) << "cut after " << cut << " bytes";
  }
  EXPECT_TRUE(ReadWaveDocument(text.substr(0, text.size() - 1)).ok);
  EXPECT_TRUE(ReadWaveDocument(text).ok);
}

// A bank as one file per wave: the names number the waves in bank order, and each type's files
// read back as the waves, but for what the type cannot hold, which is said as a single save says.
TEST(BankFilesTest, EveryWaveReadsBackFromItsNumberedFile) {
  using Name = std::tuple<size_t, size_t, WaveFileType, std::string>;
  for (const auto& [index, count, type, name] :
       {Name{0, 1, WaveFileType::kFuw, "lead-01.fuw"},
        Name{11, 12, WaveFileType::kUgw, "lead-12.ugw"},
        Name{98, 99, WaveFileType::kDmw, "lead-99.dmw"},
        Name{0, 100, WaveFileType::kFuw, "lead-001.fuw"},
        Name{255, 256, WaveFileType::kFuw, "lead-256.fuw"}}) {
    EXPECT_EQ(BankFileName("lead", index, count, type), name);
  }

  const WaveBank bank = SixteenLevelBank();
  struct Case {
    WaveFileType type;
    std::vector<std::string> changes;
  };
  const std::string ugw8 = "A .ugw file holds 32 samples: the wave was resampled from 8 to 32.";
  for (const Case& c :
       {Case{WaveFileType::kFuw, {"", "", ""}}, Case{WaveFileType::kDmw, {"", "", ""}},
        Case{WaveFileType::kUgw, {"", "", ugw8}}}) {
    const char* extension = WaveFileExtension(c.type);
    SCOPED_TRACE(extension);
    QTemporaryDir folder;
    const std::string base = folder.path().toStdString();
    const BankFilesResult written = WriteBankFiles(bank, {16, 16, 16}, c.type, base + "/", "lead");
    ASSERT_TRUE(written.ok) << written.error.Text();
    ASSERT_EQ(written.written.size(), 3u);
    for (size_t k = 0; k < 3; ++k) {
      const std::string name = "lead-0" + std::to_string(k + 1);
      EXPECT_EQ(written.written[k], base + "/" + name + "." + extension);
      EXPECT_EQ(written.changes[k].Text(), c.changes[k]);
      FuwHeader header;
      const std::vector<uint8_t> bytes = Bytes(written.written[k]);
      const WaveReadResult read =
          c.type == WaveFileType::kFuw ? ReadFuw(bytes, &header) : ReadWaveFile(bytes, c.type);
      ASSERT_TRUE(read.ok) << read.error.Text();
      EXPECT_EQ(read.height, 16);
      if (c.changes[k].empty()) {
        EXPECT_EQ(read.samples, bank.waves[k]);
      }
      if (c.type == WaveFileType::kFuw) {
        EXPECT_EQ(header.name, name);
      }
    }
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), 3);
  }
}

// A disk that fills part-way stops the export at the file that did not fit: the files before it
// are whole and named, that one and the rest are not there, and no temporary file is left.
TEST(BankFilesTest, AFullDiskStopsTheExportAtTheFileThatDidNotFit) {
  PrivateTmpfs disk(64 * 1024);
  if (disk.Path().empty()) GTEST_SKIP() << "no private 64 KiB tmpfs here: " << disk.Why();
  const std::string filler = disk.Path() + "/filler";
  const int fd = open(filler.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  ASSERT_GE(fd, 0);
  const std::string block(4096, 'f');
  while (write(fd, block.data(), block.size()) > 0) {
  }
  // Room for two small files again, a page each.
  ASSERT_EQ(ftruncate(fd, lseek(fd, 0, SEEK_END) - 2 * 4096), 0);
  close(fd);

  WaveBank bank = SixteenLevelBank();
  bank.waves.push_back(bank.waves[0]);
  const BankFilesResult written =
      WriteBankFiles(bank, {16, 16, 16, 16}, WaveFileType::kFuw, disk.Path(), "lead");
  EXPECT_FALSE(written.ok);
  EXPECT_EQ(written.failedWave, 2u);
  EXPECT_EQ(written.written,
            (std::vector<std::string>{disk.Path() + "/lead-01.fuw", disk.Path() + "/lead-02.fuw"}));
  const std::string said = written.error.Text();
  EXPECT_NE(said.find(disk.Path() + "/lead-03.fuw"), std::string::npos) << said;
  EXPECT_NE(said.find(std::strerror(ENOSPC)), std::string::npos) << said;
  EXPECT_EQ(QDir(QString::fromStdString(disk.Path()))
                .entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name)
                .join(' '),
            "filler lead-01.fuw lead-02.fuw");
  EXPECT_EQ(ReadFuw(Bytes(written.written[1])).samples, bank.waves[1]);
}

// Save, the last session and both exports on a real full disk: each says why and keeps the old
// file byte for byte; nothing else is left on the disk.
TEST(AtomicFileTest, AFullDiskFailsEverySaveAndKeepsTheOldFile) {
  PrivateTmpfs disk(64 * 1024);
  if (disk.Path().empty()) GTEST_SKIP() << "no private 64 KiB tmpfs here: " << disk.Why();
  const QString folder = QString::fromStdString(disk.Path());
  QStandardPaths::setTestModeEnabled(false);
  qputenv("XDG_DATA_HOME", folder.toUtf8());
  QCoreApplication::setOrganizationName("zp-files-test");
  QCoreApplication::setApplicationName("full-disk");
  const QString session = SessionFilePath();
  ASSERT_TRUE(session.startsWith(folder)) << session.toStdString();

  struct Case {
    const char* name;
    QString path;
    std::function<FileResult(const QString&)> save;
  };
  const std::vector<Case> cases = {
      {"Save", folder + "/wave.zpwave",
       [](const QString& path) { return SaveWaveDocument(path, SampleDocument()); }},
      {"the last session", session, [](const QString&) { return SaveSession(SampleDocument()); }},
      {"Export Sound", folder + "/sound.wav",
       [](const QString& path) { return WriteWavPcm16(path, std::vector<int16_t>(8000, 1234)); }},
      {"Export Single Cycle", folder + "/cycle.wav",
       [](const QString& path) { return WriteWavPcm16(path, SingleCycle(TestWave(32, 1), 2)); }},
  };
  for (const Case& c : cases) ASSERT_TRUE(WriteFileAtomic(c.path, std::string("old ") + c.name).ok);
  // A filler takes every block that is left.
  const std::string filler = disk.Path() + "/filler";
  const int fd = open(filler.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  ASSERT_GE(fd, 0);
  const std::string block(4096, 'f');
  while (write(fd, block.data(), block.size()) > 0) {
  }
  EXPECT_EQ(errno, ENOSPC);
  close(fd);

  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const FileResult saved = c.save(c.path);
    EXPECT_FALSE(saved.ok);
    const std::string said = saved.error.Text();
    EXPECT_NE(said.find(c.path.toStdString()), std::string::npos) << said;
    EXPECT_NE(said.find(std::strerror(ENOSPC)), std::string::npos) << said;
    EXPECT_EQ(ReadAll(c.path), std::string("old ") + c.name);
    const QStringList left =
        QDir(QFileInfo(c.path).path()).entryList(QDir::Files | QDir::Hidden | QDir::System);
    EXPECT_TRUE(left.filter(".zp-").isEmpty()) << left.join(' ').toStdString();
  }
  // With room again, the same saves succeed.
  ASSERT_EQ(unlink(filler.c_str()), 0);
  for (const Case& c : cases) EXPECT_TRUE(c.save(c.path).ok) << c.name;
}

// What a write does with what is already at the path.
TEST(AtomicFileTest, FollowsLinksKeepsPermissionsAndRefusesWhatIsNoFile) {
  QTemporaryDir folder;
  const std::string base = folder.path().toStdString();
  const std::string target = base + "/target.zpwave";
  struct Case {
    const char* name;
    std::function<bool(const std::string&)> make;  // false: cannot be made here
    const char* says;                              // "": the write succeeds
  };
  const std::vector<Case> cases = {
      {"a symbolic link",
       [&](const std::string& path) {
         return WriteFileAtomic(target, std::string_view("old")).ok &&
                symlink("target.zpwave", path.c_str()) == 0;
       },
       ""},
      {"a private file",
       [](const std::string& path) {
         return WriteFileAtomic(path, std::string_view("old")).ok && chmod(path.c_str(), 0600) == 0;
       },
       ""},
      {"a named pipe", [](const std::string& path) { return mkfifo(path.c_str(), 0644) == 0; },
       "is a named pipe, not a regular file"},
      {"a device",
       [](const std::string& path) {
         return mknod(path.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;  // like /dev/null
       },
       "is a device, not a regular file"},
      {"a folder", [](const std::string& path) { return mkdir(path.c_str(), 0755) == 0; },
       "is a folder"},
      {"a missing folder", [](const std::string&) { return true; }, "No such file or directory"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path =
        base + (std::string(c.name) == "a missing folder" ? "/no/such/" : "/") + "path.zpwave";
    unlink(path.c_str());
    if (!c.make(path)) {
      std::cout << "[  SKIPPED ] " << c.name << " cannot be made here: " << std::strerror(errno)
                << "\n";
      continue;
    }
    struct stat before = {};
    const bool existed = lstat(path.c_str(), &before) == 0;
    const FileResult written = WriteFileAtomic(path, std::string_view("new"));
    struct stat after = {};
    const bool exists = lstat(path.c_str(), &after) == 0;
    if (c.says[0] == '\0') {
      ASSERT_TRUE(written.ok) << written.error.Text();
      EXPECT_EQ(after.st_mode, before.st_mode);  // still a link, still private
      EXPECT_EQ(ReadAll(QString::fromStdString(path)), "new");
    } else {
      EXPECT_FALSE(written.ok);
      EXPECT_NE(written.error.Text().find(c.says), std::string::npos) << written.error.Text();
      EXPECT_EQ(exists, existed);
      if (existed) {
        EXPECT_EQ(after.st_ino, before.st_ino);  // untouched
      }
    }
    unlink(path.c_str());
    rmdir(path.c_str());
  }
  EXPECT_EQ(ReadAll(QString::fromStdString(target)), "new");
  EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden | QDir::System),
            QStringList{"target.zpwave"});
}

TEST(AtomicFileTest, ReportsWhyAFileCannotBeWrittenOrRead) {
  QTemporaryDir folder;
  const QString inMissingFolder = folder.filePath("no/such/folder/wave.zpwave");
  const FileResult write = WriteFileAtomic(inMissingFolder, "x");
  EXPECT_FALSE(write.ok);
  EXPECT_EQ(write.error.args.at(0), inMissingFolder.toStdString());
  EXPECT_FALSE(write.error.args.at(1).empty());  // Qt's reason

  const FileReadResult missing = ReadFileBytes(folder.filePath("absent.zpwave"));
  EXPECT_FALSE(missing.ok);
  EXPECT_NE(missing.error.Text().find("does not exist"), std::string::npos);

  // A named pipe nobody writes to is refused at once by every reader, never waited on.
  const QString pipe = folder.filePath("pipe.wav");
  ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0644), 0);
  const std::vector<TextMessage> refusals = {ReadFileBytes(pipe).error,
                                             LoadWaveDocument(pipe).error,
                                             ImportWavCycle(pipe, 32, kFindPeriod).error};
  for (const TextMessage& refusal : refusals) {
    EXPECT_NE(refusal.Text().find("is a named pipe, not a regular file"), std::string::npos)
        << refusal.Text();
  }

  ASSERT_TRUE(WriteFileAtomic(folder.filePath("big"), std::string(100, 'b')).ok);
  const FileReadResult big = ReadFileBytes(folder.filePath("big"), 99);
  EXPECT_FALSE(big.ok);
  EXPECT_NE(big.error.Text().find("too large"), std::string::npos);

  // A document file's parse error comes through with its line.
  ASSERT_TRUE(WriteFileAtomic(folder.filePath("bad.zpwave"), "zpwave 1\nlength = 3\n").ok);
  const DocumentReadResult bad = LoadWaveDocument(folder.filePath("bad.zpwave"));
  EXPECT_FALSE(bad.ok);
  EXPECT_STREQ(bad.error.context, "WaveDocument");
}

TEST(WavExportTest, WritesTheExactPcmAs16BitMonoWave) {
  QTemporaryDir folder;
  const QString path = folder.filePath("sound.wav");
  std::vector<int16_t> pcm;
  for (int32_t i = 0; i < 3001; ++i)
    pcm.push_back(static_cast<int16_t>((i * 7919) % 65536 - 32768));
  pcm[0] = -32768;
  pcm[1] = 32767;
  ASSERT_TRUE(WriteFileAtomic(path, "old").ok);
  const FileResult written = WriteWavPcm16(path, pcm, 22050);
  ASSERT_TRUE(written.ok) << written.error.Text();

  SF_INFO info{};
  SNDFILE* sound = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
  ASSERT_NE(sound, nullptr);
  EXPECT_EQ(info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
  EXPECT_EQ(info.channels, 1);
  EXPECT_EQ(info.samplerate, 22050);
  ASSERT_EQ(info.frames, static_cast<sf_count_t>(pcm.size()));
  std::vector<int16_t> back(pcm.size());
  EXPECT_EQ(sf_read_short(sound, back.data(), info.frames), info.frames);
  sf_close(sound);
  EXPECT_EQ(back, pcm);
  EXPECT_EQ(ReadAll(path).substr(0, 4), "RIFF");
  EXPECT_EQ(ReadAll(path).size(), 44 + pcm.size() * 2);  // the plain 44-byte header
}

TEST(WavExportTest, SingleCycleDrawsHoldStepsAndPolyLines) {
  const std::vector<uint16_t> wave = {0x40, 0xc0};  // +64, −64
  const std::vector<int16_t> hold = SingleCycle(wave, 1, 4);
  EXPECT_EQ(hold, (std::vector<int16_t>{16384, 16384, -16384, -16384}));
  const std::vector<int16_t> poly = SingleCycle(wave, 2, 4);
  EXPECT_EQ(poly, (std::vector<int16_t>{16384, 0, -16384, 0}));  // the last joins sample 0
}

TEST(WavImportTest, AnExportedSingleCycleComesBackAsItWas) {
  QTemporaryDir folder;
  const QString path = folder.filePath("cycle.wav");
  for (int32_t mode : {1, 2}) {
    for (int32_t length = 2; length <= 64; length *= 2) {
      if (mode == 2 && length != 2 && length != 32 && length != 64) continue;
      SCOPED_TRACE("mode " + std::to_string(mode) + ", length " + std::to_string(length));
      const std::vector<uint16_t> wave = TestWave(length, static_cast<uint32_t>(length * mode));
      ASSERT_TRUE(WriteWavPcm16(path, SingleCycle(wave, mode)).ok);
      const WavImportResult imported = ImportWavCycle(path, length, kWholeFile);
      ASSERT_TRUE(imported.ok) << imported.error.Text();
      EXPECT_EQ(imported.periodFrames, 2048);
      ASSERT_EQ(imported.samples.size(), wave.size());
      for (size_t k = 0; k < wave.size(); ++k) {
        EXPECT_NEAR(imported.samples[k], static_cast<int8_t>(wave[k]), 1) << "sample " << k;
      }
    }
  }
}

TEST(WavImportTest, FindsThePeriodOfRepeatedCyclesInEveryEncoding) {
  QTemporaryDir folder;
  struct Case {
    const char* name;
    int format;
    int rate;
    int channels;
    int32_t period;
    int32_t silentFrames;
    int32_t nonFinite = 0;  // samples made NaN, +Inf, −Inf, one each in turn
  };
  const std::vector<Case> cases = {
      {"u8 mono", SF_FORMAT_WAV | SF_FORMAT_PCM_U8, 11025, 1, 75, 0},
      {"24-bit stereo", SF_FORMAT_WAV | SF_FORMAT_PCM_24, 48000, 2, 120, 37},
      {"float stereo", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 32000, 2, 91, 0},
      {"float with NaN and infinities", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 44100, 1, 100, 0, 3},
  };
  constexpr int32_t kLength = 32;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<double> frames(static_cast<size_t>(c.silentFrames * c.channels), 0.0);
    for (int32_t i = 0; i < c.period * 20; ++i) {
      const double phase = static_cast<double>(i % c.period) / c.period;
      const double value = TestCycle(phase);
      if (c.channels == 1) {
        frames.push_back(value);
      } else {  // channels that differ but average to the cycle
        const double side = 0.1 * std::cos(2 * kPi * phase * 3);
        frames.push_back(value + side);
        frames.push_back(value - side);
      }
    }
    const double bad[] = {std::nan(""), INFINITY, -INFINITY};
    // Beyond the first cycle, which becomes the wave.
    for (int32_t i = 0; i < c.nonFinite; ++i)
      frames[static_cast<size_t>(150 + 411 * i)] = bad[i % 3];
    const QString path = folder.filePath(QString::fromUtf8(c.name) + ".wav");
    WriteSound(path, c.format, c.rate, c.channels, frames);
    const WavImportResult imported = ImportWavCycle(path, kLength, kFindPeriod);
    ASSERT_TRUE(imported.ok) << imported.error.Text();
    EXPECT_EQ(imported.replacedSamples, c.nonFinite);
    EXPECT_EQ(imported.periodFrames, c.period);
    EXPECT_EQ(imported.sampleRate, c.rate);
    ASSERT_EQ(imported.samples.size(), static_cast<size_t>(kLength));
    for (int32_t k = 0; k < kLength; ++k) {
      // Between frames the cycle is interpolated linearly; the 8-bit file adds its own step.
      const double expected = TestCycle(static_cast<double>(k) / kLength) * 128;
      EXPECT_NEAR(imported.samples[static_cast<size_t>(k)], expected, 2.0) << "sample " << k;
    }
  }
}

TEST(WavImportTest, RefusesFilesWithoutAUsableCycle) {
  QTemporaryDir folder;
  std::mt19937 random(7);
  std::uniform_real_distribution<double> noise(-0.9, 0.9);
  std::vector<double> noiseFrames(8192);
  for (double& v : noiseFrames) v = noise(random);
  WriteSound(folder.filePath("noise.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 44100, 1, noiseFrames);
  WriteSound(folder.filePath("silence.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 44100, 1,
             std::vector<double>(4096, 0.0));
  WriteSound(folder.filePath("empty.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 44100, 1, {});
  std::vector<double> tone;
  for (int32_t i = 0; i < 4000; ++i) tone.push_back(TestCycle((i % 100) / 100.0));
  WriteSound(folder.filePath("adpcm.wav"), SF_FORMAT_WAV | SF_FORMAT_IMA_ADPCM, 44100, 1, tone);
  WriteSound(folder.filePath("short.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 44100, 1,
             std::vector<double>(tone.begin(), tone.begin() + 100));
  ASSERT_TRUE(
      WriteFileAtomic(folder.filePath("garbage.wav"), "RIFF\x10\0\0\0WAVEnonsense, not a sound"sv)
          .ok);

  struct Case {
    const char* file;
    int32_t firstFrames;
    const char* says;
  };
  const std::vector<Case> cases = {
      {"noise.wav", kFindPeriod, "No repeating cycle"},
      {"silence.wav", kFindPeriod, "is silent"},
      {"empty.wav", kFindPeriod, "holds no sound"},
      {"adpcm.wav", kFindPeriod, "cannot be read; use"},
      {"garbage.wav", kFindPeriod, "not a sound file"},
      {"absent.wav", kFindPeriod, "does not exist"},
      {"short.wav", 200, "only 100 frames"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    const WavImportResult imported = ImportWavCycle(folder.filePath(c.file), 32, c.firstFrames);
    EXPECT_FALSE(imported.ok);
    EXPECT_TRUE(imported.samples.empty());
    EXPECT_NE(imported.error.Text().find(c.says), std::string::npos) << imported.error.Text();
  }
}

TEST(SessionStoreTest, KeepsTheLastSessionAndSaysNothingBeforeTheFirst) {
  QStandardPaths::setTestModeEnabled(true);
  QCoreApplication::setOrganizationName("zp-files-test");
  QCoreApplication::setApplicationName("files_test");
  const QString path = SessionFilePath();
  ASSERT_FALSE(path.isEmpty());
  QFile::remove(path);

  const DocumentReadResult none = LoadSession();
  EXPECT_FALSE(none.ok);
  EXPECT_TRUE(none.error.Empty());

  WaveDocument document = SampleDocument();
  document.fileName = "/home/someone/bass.zpwave";
  // The last session keeps the bank.
  document.waves = {document.state, document.state};
  document.waves[0].samples[0] ^= 1;
  document.current = 1;
  ASSERT_TRUE(SaveSession(document).ok);
  const DocumentReadResult loaded = LoadSession();
  ASSERT_TRUE(loaded.ok) << loaded.error.Text();
  EXPECT_EQ(loaded.document, document);

  // A session of a later version is kept aside under its version, by a load and by a save.
  const QString aside = QFileInfo(path).dir().filePath("last-session.v7.zpwave");
  const std::string later = "zpwave 7\nsomething new\n";
  for (const bool byLoad : {true, false}) {
    SCOPED_TRACE(byLoad ? "load" : "save");
    QFile::remove(aside);
    ASSERT_TRUE(WriteFileAtomic(path, later).ok);
    if (byLoad) {
      const DocumentReadResult refused = LoadSession();
      EXPECT_FALSE(refused.ok);
      EXPECT_NE(refused.error.Text().find("kept as “" + aside.toStdString()), std::string::npos)
          << refused.error.Text();
      EXPECT_FALSE(QFileInfo::exists(path));
    }
    ASSERT_TRUE(SaveSession(document).ok);
    EXPECT_EQ(ReadAll(aside), later);
    EXPECT_EQ(LoadSession().document, document);
  }
  EXPECT_TRUE(QDir(QFileInfo(path).path()).removeRecursively());
}

TEST(RecentFilesTest, PutsTheNewestFirstWithoutCopiesAndKeepsEight) {
  QStringList list;
  for (int i = 0; i < 10; ++i) list = RecentFiles::Add(list, QString("/w/%1.zpwave").arg(i));
  list = RecentFiles::Add(list, "/w/../w/5.zpwave");
  EXPECT_EQ(list, (QStringList{"/w/5.zpwave", "/w/9.zpwave", "/w/8.zpwave", "/w/7.zpwave",
                               "/w/6.zpwave", "/w/4.zpwave", "/w/3.zpwave", "/w/2.zpwave"}));
  list = RecentFiles::Remove(list, "/w/9.zpwave");
  EXPECT_EQ(list.size(), 7);
  EXPECT_FALSE(list.contains("/w/9.zpwave"));
}
