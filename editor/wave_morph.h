// Morphing between two key waves: the waves leading from A to B in a number of steps, sample by
// sample or through their spectrum, each snapped to the levels of a chip.
#pragma once

#include <cstdint>
#include <vector>

#include "editor/wave_shapes.h"  // SignedWave

constexpr int32_t kMinMorphSteps = 1;
constexpr int32_t kMaxMorphSteps = 254;

enum class MorphKind {
  kLinear,    // each sample on the straight line from A's to B's
  kSpectral,  // each harmonic's magnitude and phase on the way from A's to B's
};

// Whether waves can be snapped to `levels` values: 16, 32, 64 or 256.
bool IsMorphLevels(int32_t levels);

// A, the `steps` waves between, and B: steps + 2 waves. The shorter of A and B is first brought to
// the other's length by the length rule (ResampleToLength). Step k of N lies at t = k / (N + 1):
//  - kLinear: sample i is round(A[i] + (B[i] − A[i]) × t);
//  - kSpectral: every harmonic's magnitude goes linearly from A's to B's and its phase the shorter
//    way round from A's to B's (a harmonic silent at one end takes the other end's phase), the
//    mean and the highest harmonic (real numbers) linearly; the wave built from them is scaled so
//    that its peak (largest |sample|) lies on the straight line between A's peak and B's.
// Every wave, A and B included, is then snapped to `levels` (as SnapToDepth). Nothing when steps
// is outside 1..254, levels is not one of 16, 32, 64, 256, or A or B is empty.
std::vector<SignedWave> MorphWaves(const SignedWave& a, const SignedWave& b, int32_t steps,
                                   MorphKind kind, int32_t levels);
