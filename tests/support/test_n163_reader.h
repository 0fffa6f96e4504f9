// A reader of the Namco 163 instrument (.fti) written from the tracker's layout alone, not from
// our writer, for what the editor and zpwave write.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct TestN163 {
  std::string magic, name;
  int type = -1, count = -1, loop = -2, release = -2, setting = -1, size = -1, position = -1;
  std::vector<int> flags, items;
  std::vector<std::vector<uint8_t>> waves;
};

inline TestN163 ReadTestN163(const std::vector<uint8_t>& b) {
  size_t at = 0;
  const auto u8 = [&] { return at < b.size() ? int{b[at++]} : -1000; };
  const auto i32 = [&] {
    uint32_t v = 0;
    for (int s = 0; s < 32; s += 8) v |= static_cast<uint32_t>(u8()) << s;
    return static_cast<int32_t>(v);
  };
  TestN163 t;
  for (int i = 0; i < 6; ++i) t.magic += static_cast<char>(u8());
  t.type = u8();
  const int nameLength = i32();
  for (int i = 0; i < nameLength; ++i) t.name += static_cast<char>(u8());
  const int slots = u8();
  for (int s = 0; s < slots; ++s) {
    t.flags.push_back(u8());
    if (t.flags.back() != 1) continue;
    t.count = i32();
    t.loop = i32();
    t.release = i32();
    t.setting = i32();
    for (int i = 0; i < t.count; ++i) t.items.push_back(u8());
  }
  t.size = i32();
  t.position = i32();
  const int waves = i32();
  for (int w = 0; w < waves; ++w) {
    t.waves.emplace_back();
    for (int i = 0; i < t.size; ++i) t.waves.back().push_back(static_cast<uint8_t>(u8()));
  }
  EXPECT_EQ(at, b.size());
  return t;
}
