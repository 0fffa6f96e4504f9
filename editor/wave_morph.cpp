#include "editor/wave_morph.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>

#include "formats/wave_depth.h"
#include "formats/wave_length.h"

namespace {

using Spectrum = std::vector<std::complex<double>>;

int32_t BitsOf(int32_t levels) {
  int32_t bits = 0;
  while ((1 << bits) < levels) ++bits;
  return bits;
}

int8_t Snapped(double value, int32_t bits) {
  const auto rounded = static_cast<int32_t>(std::clamp(std::lround(value), -128L, 127L));
  return static_cast<int8_t>(SnapToDepth(rounded, bits));
}

int32_t Peak(const SignedWave& wave) {
  int32_t peak = 0;
  for (const int8_t v : wave) peak = std::max(peak, std::abs(int32_t{v}));
  return peak;
}

// cos and sin of 2πk/L for k = 0 .. L − 1: every angle the transforms below need.
struct Circle {
  std::vector<double> cos;
  std::vector<double> sin;
  explicit Circle(size_t length) : cos(length), sin(length) {
    for (size_t k = 0; k < length; ++k) {
      const double angle = 2.0 * std::numbers::pi * static_cast<double>(k) / length;
      cos[k] = std::cos(angle);
      sin[k] = std::sin(angle);
    }
  }
};

// Harmonics 0 .. L/2 of the wave.
Spectrum Analyse(const SignedWave& wave, const Circle& circle) {
  const size_t length = wave.size();
  Spectrum spectrum(length / 2 + 1);
  for (size_t h = 0; h < spectrum.size(); ++h) {
    double re = 0.0;
    double im = 0.0;
    for (size_t n = 0; n < length; ++n) {
      const size_t k = h * n % length;
      re += wave[n] * circle.cos[k];
      im -= wave[n] * circle.sin[k];
    }
    spectrum[h] = {re, im};
  }
  return spectrum;
}

// The harmonic between a and b at t. The mean and the highest harmonic of an even length are
// real: they go straight from one to the other.
std::complex<double> Between(std::complex<double> a, std::complex<double> b, double t, bool real) {
  if (real) return {a.real() + (b.real() - a.real()) * t, 0.0};
  const double magnitude = std::abs(a) + (std::abs(b) - std::abs(a)) * t;
  if (std::abs(a) < 1e-9) return std::polar(magnitude, std::arg(b));
  if (std::abs(b) < 1e-9) return std::polar(magnitude, std::arg(a));
  const double turn = std::remainder(std::arg(b) - std::arg(a), 2.0 * std::numbers::pi);
  return std::polar(magnitude, std::arg(a) + turn * t);
}

// The real wave of harmonics 0 .. L/2 (the inverse transform).
std::vector<double> Synthesise(const Spectrum& spectrum, size_t length, const Circle& circle) {
  std::vector<double> wave(length, 0.0);
  for (size_t h = 0; h < spectrum.size(); ++h) {
    const bool single = h == 0 || 2 * h == length;
    const double weight = (single ? 1.0 : 2.0) / static_cast<double>(length);
    const double re = spectrum[h].real() * weight;
    const double im = spectrum[h].imag() * weight;
    for (size_t n = 0; n < length; ++n) {
      const size_t k = h * n % length;
      wave[n] += re * circle.cos[k] - im * circle.sin[k];
    }
  }
  return wave;
}

}  // namespace

bool IsMorphLevels(int32_t levels) {
  return levels == 16 || levels == 32 || levels == 64 || levels == 256;
}

std::vector<SignedWave> MorphWaves(const SignedWave& a, const SignedWave& b, int32_t steps,
                                   MorphKind kind, int32_t levels) {
  if (steps < kMinMorphSteps || steps > kMaxMorphSteps || !IsMorphLevels(levels) || a.empty() ||
      b.empty()) {
    return {};
  }
  const size_t length = std::max(a.size(), b.size());
  const SignedWave first = ResampleToLength(a, length);
  const SignedWave last = ResampleToLength(b, length);
  const int32_t bits = BitsOf(levels);
  const Circle circle(length);
  Spectrum spectrumA;
  Spectrum spectrumB;
  if (kind == MorphKind::kSpectral) {
    spectrumA = Analyse(first, circle);
    spectrumB = Analyse(last, circle);
  }
  const double peakA = Peak(first);
  const double peakB = Peak(last);

  std::vector<SignedWave> waves;
  waves.reserve(static_cast<size_t>(steps) + 2);
  SignedWave wave(length);
  for (size_t i = 0; i < length; ++i) wave[i] = Snapped(first[i], bits);
  waves.push_back(wave);
  Spectrum spectrum(spectrumA.size());
  for (int32_t k = 1; k <= steps; ++k) {
    const double t = static_cast<double>(k) / (steps + 1);
    if (kind == MorphKind::kLinear) {
      for (size_t i = 0; i < length; ++i)
        wave[i] = Snapped(first[i] + (last[i] - first[i]) * t, bits);
    } else {
      for (size_t h = 0; h < spectrum.size(); ++h) {
        spectrum[h] = Between(spectrumA[h], spectrumB[h], t, h == 0 || 2 * h == length);
      }
      const std::vector<double> built = Synthesise(spectrum, length, circle);
      double peak = 0.0;
      for (const double v : built) peak = std::max(peak, std::abs(v));
      const double scale = peak > 1e-9 ? (peakA + (peakB - peakA) * t) / peak : 0.0;
      for (size_t i = 0; i < length; ++i) wave[i] = Snapped(built[i] * scale, bits);
    }
    waves.push_back(wave);
  }
  for (size_t i = 0; i < length; ++i) wave[i] = Snapped(last[i], bits);
  waves.push_back(wave);
  return waves;
}
