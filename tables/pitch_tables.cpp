#include "tables/pitch_tables.h"

#include <algorithm>
#include <cmath>

namespace {
// The constants are written out as the doubles the tables are defined with, so that every
// truncated entry comes out the same on any compiler.
constexpr double kTwelfth = 0.08333333333333333;
constexpr double kLevelStep = 0.007874015748031496;
constexpr double kSineStep = 0.0017452777777777779;  // 6.283 / 3600, a touch short of 2 pi
constexpr double kCentExponent = 0.0008333333333333334;
constexpr int32_t kFirstA = 550;  // 55.0 Hz, the A of octave index 0
constexpr int32_t kFullScale = 8000;
}  // namespace

void PitchTables::Build() {
  cachedNote = -1;
  cachedCents = 0;
  cachedResult = -1;
  BuildPitch();
  BuildLevel();
  BuildSine();
}

void PitchTables::BuildPitch() {
  // The A of each octave is exact; the other semitones are derived from it.
  const double aOverC = std::pow(2.0, 0.75);
  for (int32_t k = 0; k < 8; ++k) {
    const int32_t a = kFirstA << k;
    for (int32_t j = 0; j < 12; ++j) {
      pitchTable[12 * k + j] =
          j == 9
              ? a
              : static_cast<int32_t>(std::pow(2.0, static_cast<double>(j) * kTwelfth) * a / aOverC);
    }
  }
}

void PitchTables::BuildLevel() {
  for (int32_t l = 0; l < kLevelCount; ++l) {
    levelTable[l] = static_cast<int32_t>(kFullScale * std::pow(l * kLevelStep, 8.0));
  }
  // The top level is unity gain whatever the floating-point unit made of 127 * (1/127).
  levelTable[kLevelCount - 1] = kFullScale;
}

void PitchTables::BuildSine() {
  for (int32_t i = 0; i < kPhaseSteps; ++i) {
    sineTable[i] = static_cast<int32_t>(kFullScale * std::sin(i * kSineStep));
  }
}

int32_t PitchTables::Frequency(int32_t note, int32_t cents) const {
  if (note == cachedNote && cents == cachedCents && cachedResult != -1) return cachedResult;
  cachedNote = note;
  cachedCents = cents;

  // Whole semitones move the index; the rest (same sign as cents) bends the pitch.
  const int32_t q = cents / 100;
  const int32_t r = cents - 100 * q;
  const int64_t index = std::clamp<int64_t>(static_cast<int64_t>(note) + q, 0, kNoteCount - 1);
  const int32_t base = pitchTable[index];

  int32_t result = base;
  if (r > 0) {
    result = static_cast<int32_t>(base * std::pow(2.0, r * kCentExponent));
  } else if (r < 0) {
    result = static_cast<int32_t>(base / std::pow(2.0, -r * kCentExponent));
  }
  cachedResult = result;
  return result;
}
