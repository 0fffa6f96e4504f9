// Our signed 8-bit sample v and a tool's unsigned level u of a smaller depth, both ways: u keeps
// the top bits of v + 128; going back the bits are repeated over the full 8-bit range, so every
// level survives a round trip through us.
#pragma once

#include <cstdint>

// The level 0 .. 2^bits - 1 of sample v (−128..127) at a depth of 1 to 8 bits.
constexpr int32_t ToLevel(int32_t v, int32_t bits) {
  return (v + 128) >> (8 - bits);
}

// Sample −128..127 of a level at a depth of 1 to 8 bits.
constexpr int32_t FromLevel(int32_t u, int32_t bits) {
  int32_t spread = 0;
  for (int32_t shift = 8 - bits; shift > -bits; shift -= bits) {
    spread |= shift >= 0 ? u << shift : u >> -shift;
  }
  return (spread & 0xff) - 128;
}

// The nearest value a chip of that depth can hold: v as that depth's level, and back.
constexpr int32_t SnapToDepth(int32_t v, int32_t bits) {
  return FromLevel(ToLevel(v, bits), bits);
}

static_assert(FromLevel(15, 4) == 127 && FromLevel(1, 4) == 17 - 128);
static_assert(FromLevel(31, 5) == 127 && FromLevel(5, 5) == ((5 << 3) | (5 >> 2)) - 128);
static_assert(FromLevel(63, 6) == 127 && FromLevel(33, 6) == ((33 << 2) | (33 >> 4)) - 128);
static_assert(FromLevel(200, 8) == 72 && ToLevel(-128, 4) == 0 && ToLevel(127, 5) == 31);
