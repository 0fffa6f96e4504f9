// The zpwave command-line program, run as a user runs it: its output, its WAV files and its
// refusals.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "synth/player.h"

namespace {

struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
};

std::string Quoted(const std::string& arg) {
  std::string quoted = "'";
  for (const char ch : arg) quoted += ch == '\'' ? std::string("'\\''") : std::string(1, ch);
  return quoted + "'";
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class ZpwaveTest : public testing::Test {
 protected:
  void SetUp() override {
    dir = std::filesystem::path(testing::TempDir()) /
          ("zpwave_test_" + std::to_string(::getpid()) + "_" +
           testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
  }
  void TearDown() override { std::filesystem::remove_all(dir); }

  // Runs zpwave with `input` on standard input; `out` is where standard output goes (a shell
  // redirection, its file by default).
  Outcome Zpwave(const std::vector<std::string>& args, const std::string& input = "",
                 const std::string& out = "") {
    const std::filesystem::path in = dir / "stdin";
    std::ofstream(in, std::ios::binary) << input;
    std::string command = Quoted(ZPWAVE_PATH);
    for (const std::string& arg : args) command += " " + Quoted(arg);
    command += " <" + Quoted(in) + (out.empty() ? " >" + Quoted(dir / "stdout") : " " + out) +
               " 2>" + Quoted(dir / "stderr");
    const int raw = std::system(command.c_str());
    Outcome run;
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.out = ReadFile(dir / "stdout");
    run.err = ReadFile(dir / "stderr");
    return run;
  }

  std::filesystem::path dir;
};

uint32_t Le32(const std::string& bytes, size_t at) {
  return uint32_t{static_cast<uint8_t>(bytes[at])} |
         uint32_t{static_cast<uint8_t>(bytes[at + 1])} << 8 |
         uint32_t{static_cast<uint8_t>(bytes[at + 2])} << 16 |
         uint32_t{static_cast<uint8_t>(bytes[at + 3])} << 24;
}

uint16_t Le16(const std::string& bytes, size_t at) {
  return static_cast<uint16_t>(static_cast<uint8_t>(bytes[at]) | static_cast<uint8_t>(bytes[at + 1])
                                                                     << 8);
}

TEST_F(ZpwaveTest, ConvertsBetweenFormats) {
  const Outcome gb = Zpwave({"convert", "--to", "gb", "ff007f80"});
  EXPECT_EQ(gb.status, 0);
  EXPECT_EQ(gb.out, "7777777788888888FFFFFFFF00000000\n");
  EXPECT_EQ(gb.err, "");
  // From standard input, with the format given; a signed text that starts with a minus sign.
  const Outcome furnace =
      Zpwave({"convert", "--from", "n163", "--to", "furnace"}, "0 4 8 15 ;\r\n");
  EXPECT_EQ(furnace.status, 0);
  // A wave keeps the height it was read at unless --height names another.
  EXPECT_EQ(furnace.out, "0 4 8 15\n");
  EXPECT_EQ(Zpwave({"convert", "--height", "256", "--to", "furnace", "0 4 8 15 ;"}).out,
            "0 68 136 255\n");
  const Outcome hex = Zpwave({"convert", "--to", "hex", "-1 0 127 -128"});
  EXPECT_EQ(hex.status, 0);
  EXPECT_EQ(hex.out, "ff007f80\n");
  const Outcome formats = Zpwave({"formats"});
  EXPECT_EQ(formats.status, 0);
  EXPECT_NE(formats.out.find("gb\tGame Boy trackers"), std::string::npos);
}

TEST_F(ZpwaveTest, RendersExactlyWhatThePlayerSends) {
  struct Case {
    std::vector<std::string> options;
    uint16_t mode;
    int32_t note;
    int32_t samples;
    std::optional<SequenceOrder> sequence;  // the bank below played as a sequence
  };
  // A bank of 3 waves of 3 lengths, played once (3 ticks of 735 samples) and round 4 times at
  // 1000 Hz (round(12 x 44.1) samples).
  const std::vector<std::string> bank = {"80c000407f4000c0", "7f80", "c0407f00"};
  const std::vector<Case> cases = {
      {{}, 1, 45, 88200, std::nullopt},
      {{"--mode", "poly", "--note", "o2d", "--seconds", "0.1"}, 2, 14, 4410, std::nullopt},
      {{"--sequence"}, 1, 45, 2205, SequenceOrder{60, 0, 2, false}},
      {{"--sequence", "--rate", "1000", "--loop", "4", "--mode", "poly", "--note", "o2d"},
       2,
       14,
       529,
       SequenceOrder{1000, 0, 2, true}}};
  for (const Case& c : cases) {
    const std::filesystem::path wav = dir / "out.wav";
    std::vector<std::string> args = {"render", "--out", wav.string()};
    args.insert(args.end(), c.options.begin(), c.options.end());
    // Any format: Furnace signed; the bank from standard input.
    args.push_back(c.sequence ? "-" : "-128 -64 0 64 127 64 0 -64");
    const Outcome run = Zpwave(args, bank[0] + "\n" + bank[1] + "\r\n" + bank[2] + "\n");
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string bytes = ReadFile(wav);
    ASSERT_GE(bytes.size(), 44u);
    EXPECT_EQ(bytes.substr(0, 4), "RIFF");
    EXPECT_EQ(Le32(bytes, 4), bytes.size() - 8);
    EXPECT_EQ(bytes.substr(8, 4), "WAVE");
    // The chunks: fmt with PCM, one channel, 44100 Hz, 16 bits; then data.
    std::string data;
    bool format = false;
    for (size_t at = 12; at + 8 <= bytes.size();) {
      const std::string id = bytes.substr(at, 4);
      const uint32_t size = Le32(bytes, at + 4);
      if (id == "fmt ") {
        format = true;
        EXPECT_EQ(Le16(bytes, at + 8), 1);        // PCM
        EXPECT_EQ(Le16(bytes, at + 10), 1);       // channels
        EXPECT_EQ(Le32(bytes, at + 12), 44100u);  // sample rate
        EXPECT_EQ(Le32(bytes, at + 16), 88200u);  // bytes per second
        EXPECT_EQ(Le16(bytes, at + 20), 2);       // block align
        EXPECT_EQ(Le16(bytes, at + 22), 16);      // bits per sample
      } else if (id == "data") {
        data = bytes.substr(at + 8, size);
      }
      at += 8 + size + (size & 1);
    }
    EXPECT_TRUE(format);
    ASSERT_EQ(data.size(), 2u * c.samples);

    Player player;
    player.BuildDefaultTones();
    ASSERT_TRUE(player.SetWave("80c000407f4000c0", c.mode));
    ASSERT_TRUE(player.SetSequence(bank, c.mode));
    const std::vector<int16_t> want = c.sequence
                                          ? player.RenderSequence(c.note, *c.sequence, c.samples)
                                          : player.RenderPcm(1, c.note, c.samples);
    ASSERT_EQ(want.size(), static_cast<size_t>(c.samples));
    size_t mismatches = 0;
    for (size_t i = 0; i < want.size(); ++i) {
      mismatches += static_cast<int16_t>(Le16(data, 2 * i)) != want[i];
    }
    EXPECT_EQ(mismatches, 0u);
  }
}

void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string Le32Bytes(uint32_t value) {
  std::string bytes;
  for (int shift = 0; shift < 32; shift += 8) bytes += static_cast<char>(value >> shift);
  return bytes;
}

// A PC Engine wave as Furnace saves it: 32 values 0..31 at min 0, max 31, no name.
std::string PcEngineFuw() {
  std::string bytes = "-Furnace waveta-";
  bytes += std::string("\x8f\x00\x00\x00", 4) + "WAVE" + Le32Bytes(1 + 12 + 4 * 32);
  bytes += std::string(1, '\0') + Le32Bytes(32) + Le32Bytes(0) + Le32Bytes(31);
  for (uint32_t i = 0; i < 32; ++i) bytes += Le32Bytes(i * 5 % 32);
  return bytes;
}

TEST_F(ZpwaveTest, ConvertsFilesAtTheirOwnHeight) {
  WriteBytes(dir / "pce.fuw", PcEngineFuw());
  // The file's own values, and the same levels at height 256 (bits repeated, as the tools do).
  std::string values;
  std::string full;
  for (uint32_t i = 0; i < 32; ++i) {
    const uint32_t u = i * 5 % 32;
    values += (i > 0 ? " " : "") + std::to_string(u);
    full += (i > 0 ? " " : "") + std::to_string((u << 3) | (u >> 2));
  }
  std::string gb;
  for (uint32_t i = 0; i < 32; ++i) gb += "0123456789ABCDEF"[i % 16];
  std::string ugw;
  for (uint32_t i = 0; i < 32; ++i) ugw += static_cast<char>(i % 16);
  WriteBytes(dir / "early.ugw", ugw + std::string(1, '\0'));  // 33 bytes, as early trackers wrote
  std::string dmw = Le32Bytes(4) + "\x0f" + std::string("\x00\x0f\x08\x01", 4);
  WriteBytes(dir / "gb.dmw", dmw);
  const std::string in = (dir / "pce.fuw").string();
  struct Case {
    std::vector<std::string> args;
    std::string out;
    std::string err;
  };
  const std::vector<Case> cases = {
      {{"--in", in, "--to", "furnace"}, values + "\n", ""},
      {{"--in", in, "--to", "furnace", "--height", "256"}, full + "\n", ""},
      {{"--in", (dir / "early.ugw").string(), "--to", "gb"},
       gb + "\n",
       "zpwave: note: " + (dir / "early.ugw").string() +
           ": The Game Boy wave file has 33 bytes; the first 32 were read, as the trackers read "
           "it.\n"},
      {{"--in", (dir / "gb.dmw").string(), "--from", "dmw", "--to", "furnace"}, "0 15 8 1\n", ""},
      {{"--to", "gb", "--from", "dmw", "--in", (dir / "gb.dmw").string()},
       "00000000FFFFFFFF8888888811111111\n",
       ""},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = {"convert"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const Outcome run = Zpwave(args);
    SCOPED_TRACE(args.back());
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, c.out);
    EXPECT_EQ(run.err, c.err);
  }
  // A .fuw and a document written from it give back the file byte for byte.
  const std::string document = (dir / "pce.zpwave").string();
  ASSERT_EQ(Zpwave({"convert", "--in", in, "--out", document}).status, 0);
  EXPECT_NE(ReadFile(document).find("height = 32\n"), std::string::npos);
  ASSERT_EQ(Zpwave({"convert", "--in", in, "--out", (dir / "copy.fuw").string()}).status, 0);
  EXPECT_EQ(ReadFile(dir / "copy.fuw"), PcEngineFuw());
  ASSERT_EQ(Zpwave({"convert", "--in", document, "--out", (dir / "back.fuw").string()}).status, 0);
  EXPECT_EQ(ReadFile(dir / "back.fuw").substr(41), PcEngineFuw().substr(37));  // named "back"
  const Outcome smaller =
      Zpwave({"convert", "--in", in, "--height", "16", "--out", (dir / "gb.fuw").string()});
  EXPECT_EQ(smaller.err,
            "zpwave: note: " + in +
                ": The .fuw file holds 16 levels: the wave was reduced to 16 levels.\n");
}

TEST_F(ZpwaveTest, ConvertsAFolderAndNamesEachFileItCannotRead) {
  WriteBytes(dir / "a.fuw", PcEngineFuw());
  WriteBytes(dir / "b.fuw", "not a wave");
  WriteBytes(dir / "c.ugw", std::string(32, '\x0f'));
  std::filesystem::create_directory(dir / "out");
  const Outcome run = Zpwave({"convert", "--to", "ugw", "--in", (dir / "a.fuw").string(), "--in",
                              (dir / "b.fuw").string(), "--in", (dir / "c.ugw").string(), "--out",
                              (dir / "out").string() + "/"});
  EXPECT_EQ(run.status, 2);
  // The PC Engine wave loses levels in a .ugw, and says so; the bad file is named, once.
  EXPECT_EQ(run.err, "zpwave: note: " + (dir / "a.fuw").string() +
                         ": The .ugw file holds 16 levels: the wave was reduced to 16 levels.\n"
                         "zpwave: " +
                         (dir / "b.fuw").string() + ": This is no Furnace wave file.\n");
  EXPECT_EQ(ReadFile(dir / "out" / "c.ugw"), std::string(32, '\x0f'));
  EXPECT_EQ(ReadFile(dir / "out" / "a.ugw").size(), 32u);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir / "out"), {}), 2);
}

TEST_F(ZpwaveTest, BadInputExitsWithTwoOneLineAndNoFile) {
  const std::filesystem::path wav = dir / "bad.wav";
  struct Case {
    std::vector<std::string> args;
    std::string input;
    std::string says;
  };
  const std::vector<Case> bad = {
      {{"render", "--note", "o9a", "--out", wav.string(), "ff00"}, "", "--note takes"},
      {{"render", "--out", wav.string(), "1 2 300"}, "", "out of range"},
      {{"render", "--seconds", "0", "--out", wav.string(), "ff00"}, "", "--seconds takes"},
      {{"render", "--sequence", "--rate", "1001", "--out", wav.string(), "-"},
       "ff00",
       "--rate takes"},
      {{"render", "--sequence", "--rate", "1", "--loop", "1000", "--out", wav.string(), "-"},
       "ff00\n7f80",
       "would last 2000 s"},
      {{"render", "--sequence", "--out", wav.string(), "-"}, "ff00\nzz\n", "line 2: "},
      {{"convert", "--to", "midi", "ff00"}, "", "unknown format \"midi\""},
      {{"convert", "--to", "fds", "1 2 x"}, "", "not a number"},
      {{"frobnicate\x1b[2J\nmore"}, "", "unknown command \"frobnicate\\x1b[2J\\x0amore\""},
      {{"convert", "--to", "gb", std::string(60, 'q') + "\xff"}, "", "(\"qqqqqqqqqqqqqqqq...\")"},
      {{"convert", "--from", "hex", "--to", "gb", "ff007f8"}, "", "hex text is not a wave"},
      {{"convert", "--to", "gb", "{ 1, 2 } rest\ttext"}, "", "\"rest\\x09text\""},
      {{"convert", "--to", "gb"}, std::string((16 << 20) + 1, '0'), "longer than 16777216"},
      {{"convert", "--height", "12", "--to", "furnace", "0 1"}, "", "--height takes"},
      {{"convert", "--in", (dir / "missing.fuw").string(), "--to", "gb"}, "", "does not exist"},
      {{"convert", "--to", "fuw", "ff00"}, "", "unknown format \"fuw\""},
  };
  for (const Case& c : bad) {
    SCOPED_TRACE(c.says);
    const Outcome run = Zpwave(c.args, c.input);
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
    ASSERT_FALSE(run.err.empty());
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
    EXPECT_EQ(run.err.rfind("zpwave: ", 0), 0u) << run.err;
    EXPECT_FALSE(std::filesystem::exists(wav));
  }
  EXPECT_EQ(Zpwave({"convert", "--to", "fds", "1 2 x"}).err,
            "zpwave: Value 3 (\"x\") is not a number; Furnace (decimal) takes 0 to 255.\n");
  // A file that cannot be read is named once, by the reason.
  const std::string missing =
      Zpwave({"convert", "--in", (dir / "missing.fuw").string(), "--to", "gb"}).err;
  EXPECT_EQ(missing.rfind("zpwave: The file \u201c/", 0), 0u) << missing;
  EXPECT_NE(missing.find("\u201d does not exist.\n"), std::string::npos) << missing;
  // Nothing is left beside the file either.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 3);  // stdin/out/err
}

TEST_F(ZpwaveTest, MorphPrintsTheWavesBetweenOneALine) {
  struct Case {
    std::vector<std::string> args;
    std::string input;
    std::string out;
    std::string err;
  };
  const std::vector<Case> cases = {
      {{"--steps", "3", "--to", "furnace", "0 0 0 0", "255 255 255 255"},
       "",
       "0 0 0 0\n64 64 64 64\n127 127 127 127\n191 191 191 191\n255 255 255 255\n",
       ""},
      // Snapped to the 16 levels of the format; B from standard input.
      {{"--to", "n163", "--steps", "1", "0 0 0 0 ;", "-"},
       "15 15 15 15 ;\n",
       "0 0 0 0 ;\n7 7 7 7 ;\n15 15 15 15 ;\n",
       ""},
      // The editor's own hex by default; the shorter wave brought to the longer's length.
      {{"--steps", "1", "8080", "7f7f7f7f"},
       "",
       "80808080\nffffffff\n7f7f7f7f\n",
       "zpwave: note: A has 2 samples and B 4; A brought to 4\n"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = {"morph"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const Outcome run = Zpwave(args, c.input);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, c.out);
    EXPECT_EQ(run.err, c.err);
  }
  const std::vector<std::vector<std::string>> bad = {
      {"morph", "--steps", "255", "ff00", "00ff"},
      {"morph", "--steps", "2", "ff00"},
  };
  for (const std::vector<std::string>& args : bad) {
    const Outcome run = Zpwave(args);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.rfind("zpwave: ", 0), 0u) << run.err;
  }
  EXPECT_EQ(Zpwave(bad[0]).err, "zpwave: --steps takes a number from 1 to 254, not \"255\"\n");
}

TEST_F(ZpwaveTest, ABankGoesToAnInstrumentAndBack) {
  const std::string bank =
      "0 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 ;\n15 15 15 15 15 15 15 15 0 0 0 0 0 0 0 0 ;\n";
  const std::filesystem::path fti = dir / "two waves.fti";
  const Outcome written = Zpwave({"convert", "--out", fti.string()}, bank);
  ASSERT_EQ(written.status, 0) << written.err;
  EXPECT_EQ(written.out + written.err, "");
  const std::string bytes = ReadFile(fti);
  EXPECT_EQ(bytes.substr(0, 20), std::string("FTI2.4\x05\x09\0\0\0two waves", 20));
  EXPECT_EQ(bytes.size(), 88u);
  const Outcome read = Zpwave({"convert", "--in", fti.string(), "--to", "n163"});
  EXPECT_EQ(read.status, 0) << read.err;
  EXPECT_EQ(read.out, bank);
  // A text of several lines on the command line or from standard input is a bank too.
  const std::string gb = "77777777777777778888888888888888\n88888888888888887777777777777777\n";
  EXPECT_EQ(Zpwave({"convert", "--to", "gb", "ff00\n\n00ff\n"}).out, gb);
  EXPECT_EQ(Zpwave({"convert", "--to", "gb"}, "ff00\r\n00ff").out, gb);

  const std::filesystem::path refused = dir / "refused.fti";
  std::ofstream(dir / "junk.fti") << "not an instrument";
  struct Bad {
    std::vector<std::string> args;
    std::string input;
    std::string err;
  };
  const std::vector<Bad> bad = {
      {{"convert", "--out", refused.string()},
       "ff00\n00ff\n",
       "zpwave: The Namco 163 cannot play waves of 2 samples: it plays 4 to 240 samples in steps "
       "of 4. Change the length to 4.\n"},
      {{"convert", "--out", refused.string()},
       "ff00ff00\n1 2 x\n",
       "zpwave: line 2: Value 3 (\"x\") is not a number; Furnace (decimal) takes 0 to 255.\n"},
      {{"convert", "--in", (dir / "junk.fti").string(), "--to", "hex"},
       "",
       "zpwave: " + (dir / "junk.fti").string() +
           ": This is no tracker instrument file: it does not begin with \"FTI\".\n"},
  };
  for (const Bad& b : bad) {
    const Outcome run = Zpwave(b.args, b.input);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, b.err);
    EXPECT_FALSE(std::filesystem::exists(refused));
  }
}

// A bank into a folder: one file per wave, numbered, named after the --in file, "wave" or --name;
// what a file cannot hold is a note, and a file that cannot be written stops the rest.
TEST_F(ZpwaveTest, ABankGoesIntoAFolderAsOneFilePerWave) {
  const std::string out = (dir / "out").string() + "/";
  std::filesystem::create_directory(out);
  const std::string bank = "0 4 8 15 15 8 4 0 ;\n0 1 2 3 4 5 6 7 ;\n";
  ASSERT_EQ(Zpwave({"convert", "--out", (dir / "lead.fti").string()}, bank).status, 0);
  const std::string fti = (dir / "lead.fti").string();
  EXPECT_EQ(Zpwave({"convert", "--in", fti, "--to", "dmw", "--out", dir / "out"}).status, 0);
  EXPECT_EQ(Zpwave({"convert", "--in", out + "lead-02.dmw", "--to", "n163"}).out, bank.substr(20));
  EXPECT_EQ(
      Zpwave({"convert", "--to", "ugw", "--name", "gb", "--out", out}, bank).err,
      "zpwave: note: gb-01.ugw: A .ugw file holds 32 samples: the wave was resampled from 8 to "
      "32.\nzpwave: note: gb-02.ugw: A .ugw file holds 32 samples: the wave was resampled "
      "from 8 to 32.\n");
  EXPECT_EQ(Zpwave({"convert", "--to", "fuw", "--out", out, "ff00"}).status, 0);
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(out)) {
    names.insert(entry.path().filename().string());
  }
  EXPECT_EQ(names, (std::set<std::string>{"gb-01.ugw", "gb-02.ugw", "lead-01.dmw", "lead-02.dmw",
                                          "wave-01.fuw"}));

  // Wave 2's name is a folder: wave 1 is written, the rest not, and the one line says so.
  std::filesystem::create_directory(dir / "out" / "three-02.fuw");
  const std::string err =
      Zpwave({"convert", "--to", "fuw", "--name", "three", "--out", out}, "ff00\n00ff\n7f80\n").err;
  const std::string end =
      " is a folder, not a file. (three-02.fuw, wave 2 of 3; three-01.fuw was written)\n";
  ASSERT_GT(err.size(), end.size());
  EXPECT_EQ(err.substr(err.size() - end.size()), end) << err;
  EXPECT_TRUE(std::filesystem::exists(dir / "out" / "three-01.fuw"));
  EXPECT_FALSE(std::filesystem::exists(dir / "out" / "three-03.fuw"));
  for (const auto& [args, says] : std::vector<std::pair<std::vector<std::string>, std::string>>{
           {{"convert", "--to", "furnace", "--out", out, "ff00"}, "needs --to fuw, ugw or dmw"},
           {{"convert", "--to", "fuw", "--out", (dir / "no").string() + "/", "ff00"},
            "is no folder"},
           {{"convert", "--from", "hex", "--to", "fuw", "--out", out, "ff00"}, "without --from"}}) {
    const Outcome run = Zpwave(args);
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find(says), std::string::npos) << run.err;
  }
}

// Output that is lost or is no file is an error; a link is written through to its target.
TEST_F(ZpwaveTest, OutputThatCannotBeWrittenFailsAndALinkWritesItsTarget) {
  ASSERT_EQ(::symlink("target.wav", (dir / "link.wav").c_str()), 0);
  ASSERT_EQ(::mkfifo((dir / "pipe.wav").c_str(), 0644), 0);
  std::filesystem::create_directory(dir / "folder.wav");
  struct Case {
    std::vector<std::string> args;
    std::string out;  // standard output's redirection; "": its file
    int status;
    std::string says;  // on standard error
  };
  const std::string link = (dir / "link.wav").string();
  const std::vector<Case> cases = {
      {{"convert", "--to", "gb", "ff007f80"},
       ">/dev/full",
       2,
       "could not write to standard output: No space left on device"},
      {{"convert", "--to", "gb", "ff007f80"},
       ">&-",
       2,
       "could not write to standard output: Bad file descriptor"},
      {{"render", "--out", link, "ff007f80"}, "", 0, ""},
      {{"render", "--out", (dir / "pipe.wav").string(), "ff007f80"},
       "",
       2,
       "is a named pipe, not a regular file"},
      {{"render", "--out", (dir / "folder.wav").string(), "ff007f80"}, "", 2, "is a folder"},
      {{"render", "--out", (dir / "no" / "such.wav").string(), "ff007f80"},
       "",
       2,
       "No such file or directory"},
      {{"render", "--out", (dir / (std::string(250, 'n') + ".wav")).string(), "ff007f80"},
       "",
       0,
       ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args[2] + " " + c.out);
    const Outcome run = Zpwave(c.args, "", c.out);
    EXPECT_EQ(run.status, c.status);
    EXPECT_EQ(run.err.empty(), c.says.empty()) << run.err;
    EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
  }
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.wav"));
  EXPECT_EQ(ReadFile(dir / "target.wav").substr(0, 4), "RIFF");
  EXPECT_TRUE(std::filesystem::is_fifo(dir / "pipe.wav"));
  // Nothing but what the cases made: no temporary file left anywhere.
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    EXPECT_NE(entry.path().filename().string().rfind(".zp-", 0), 0u) << entry.path();
  }
}

}  // namespace
