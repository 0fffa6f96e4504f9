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
  EXPECT_EQ(furnace.out, "0 68 136 255\n");
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
  };
  const std::vector<Case> cases = {
      {{}, 1, 45, 88200}, {{"--mode", "poly", "--note", "o2d", "--seconds", "0.1"}, 2, 14, 4410}};
  for (const Case& c : cases) {
    const std::filesystem::path wav = dir / "out.wav";
    std::vector<std::string> args = {"render", "--out", wav.string()};
    args.insert(args.end(), c.options.begin(), c.options.end());
    args.push_back("-128 -64 0 64 127 64 0 -64");  // any format: Furnace signed
    const Outcome run = Zpwave(args);
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
    const std::vector<int16_t> want = player.RenderPcm(1, c.note, c.samples);
    ASSERT_EQ(want.size(), static_cast<size_t>(c.samples));
    size_t mismatches = 0;
    for (size_t i = 0; i < want.size(); ++i) {
      mismatches += static_cast<int16_t>(Le16(data, 2 * i)) != want[i];
    }
    EXPECT_EQ(mismatches, 0u);
  }
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
      {{"convert", "--to", "midi", "ff00"}, "", "unknown format \"midi\""},
      {{"convert", "--to", "fds", "1 2 x"}, "", "not a number"},
      {{"frobnicate\x1b[2J\nmore"}, "", "unknown command \"frobnicate\\x1b[2J\\x0amore\""},
      {{"convert", "--to", "gb", std::string(60, 'q') + "\xff"}, "", "(\"qqqqqqqqqqqqqqqq...\")"},
      {{"convert", "--from", "hex", "--to", "gb", "ff007f8"}, "", "hex text is not a wave"},
      {{"convert", "--to", "gb", "{ 1, 2 }\nrest\ttext"}, "", "\"rest\\x09text\""},
      {{"convert", "--to", "gb"}, std::string((16 << 20) + 1, '0'), "longer than 16777216"},
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
  // Nothing is left beside the file either.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 3);  // stdin/out/err
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
