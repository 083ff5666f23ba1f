#include "Synth.h"

#include <algorithm>
#include <cmath>

namespace Framework::SoundTool {

std::size_t SamplesFor(double seconds) { return static_cast<std::size_t>(std::lround(seconds * SampleRate)); }

double NoteFrequency(double midiNote) { return 440.0 * std::pow(2.0, (midiNote - 69.0) / 12.0); }

float Noise::Next() {
  state_ += 0x9E3779B97F4A7C15ull;
  std::uint64_t z = state_;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  z ^= z >> 31;
  // Top 24 bits give an exact float in [0, 1).
  return static_cast<float>(z >> 40) / 16777216.0f * 2.0f - 1.0f;
}

namespace {
// Correction for a unit step at phase 0, spread over one sample either side.
double PolyBlep(double t, double dt) {
  if (t < dt) {
    t /= dt;
    return t + t - t * t - 1.0;
  }
  if (t > 1.0 - dt) {
    t = (t - 1.0) / dt;
    return t * t + t + t + 1.0;
  }
  return 0.0;
}
}  // namespace

float Oscillator::Next(double frequency) {
  const double dt = std::clamp(frequency / SampleRate, 0.0, 0.5);
  const double t = phase_;
  double value = 0.0;
  switch (wave_) {
    case Wave::Sine:
      value = std::sin(2.0 * Pi * t);
      break;
    case Wave::Square: {
      value = t < duty_ ? 1.0 : -1.0;
      value += PolyBlep(t, dt);
      value -= PolyBlep(std::fmod(t + 1.0 - duty_, 1.0), dt);
      // Keep the average at zero whatever the duty, so narrow pulses do not thump.
      value -= 2.0 * duty_ - 1.0;
      break;
    }
    case Wave::Triangle:
      value = t < 0.5 ? 4.0 * t - 1.0 : 3.0 - 4.0 * t;
      break;
    case Wave::Saw:
      value = 2.0 * t - 1.0 - PolyBlep(t, dt);
      break;
  }
  phase_ += dt;
  if (phase_ >= 1.0) phase_ -= 1.0;
  return static_cast<float>(value);
}

namespace {
// The attack-decay-sustain part alone, as if the note were held for ever.
double HeldLevel(const Envelope& e, double t) {
  if (t < e.Attack) return t / e.Attack;
  if (t < e.Attack + e.Decay) return 1.0 - (1.0 - e.Sustain) * (t - e.Attack) / e.Decay;
  return e.Sustain;
}
}  // namespace

float Envelope::At(double t) const {
  if (t < 0.0 || t >= TotalLength()) return 0.0f;
  if (t <= NoteLength) return static_cast<float>(HeldLevel(*this, t));
  // Release from wherever the note was when it ended.
  const double level = HeldLevel(*this, NoteLength) * (1.0 - (t - NoteLength) / Release);
  return static_cast<float>(std::max(level, 0.0));
}

float PercussiveAt(double t, double attack, double tau, double end, double fadeOut) {
  if (t < 0.0 || t >= end) return 0.0f;
  double level = std::exp(-t / tau);
  if (t < attack) level *= t / attack;
  if (t > end - fadeOut) level *= (end - t) / fadeOut;
  return static_cast<float>(level);
}

float LowPass::Process(float x, double cutoffHz) {
  const double a = 1.0 - std::exp(-2.0 * Pi * cutoffHz / SampleRate);
  y_ += static_cast<float>(a) * (x - y_);
  return y_;
}

float HighPass::Process(float x, double cutoffHz) {
  const double rc = 1.0 / (2.0 * Pi * cutoffHz);
  const double a = rc / (rc + 1.0 / SampleRate);
  y_ = static_cast<float>(a * (y_ + x - lastX_));
  lastX_ = x;
  return y_;
}

float BandPass::Process(float x, double centreHz, double q) {
  const float f = static_cast<float>(2.0 * std::sin(Pi * std::min(centreHz, SampleRate / 6.0) / SampleRate));
  const float damping = static_cast<float>(1.0 / q);
  const float high = x - low_ - damping * band_;
  band_ += f * high;
  low_ += f * band_;
  return band_;
}

float Peak(const Samples& samples) {
  float peak = 0.0f;
  for (float s : samples) peak = std::max(peak, std::fabs(s));
  return peak;
}

float LoudestRms(const Samples& samples, double windowSeconds) {
  const std::size_t window = std::max<std::size_t>(1, SamplesFor(windowSeconds));
  double sum = 0.0;
  double best = 0.0;
  for (std::size_t i = 0; i < samples.size(); ++i) {
    sum += double(samples[i]) * samples[i];
    if (i >= window) sum -= double(samples[i - window]) * samples[i - window];
    const std::size_t count = std::min(i + 1, window);
    best = std::max(best, sum / double(count));
  }
  return static_cast<float>(std::sqrt(std::max(best, 0.0)));
}

void Scale(Samples& samples, float gain) {
  for (float& s : samples) s *= gain;
}

float PerceivedLoudness(const Samples& samples) {
  // Ears are far less sensitive to deep bass: weigh it down before measuring,
  // roughly as loudness meters do, so a low thump is not judged by its rumble.
  Samples weighted(samples.size());
  HighPass first, second;
  for (std::size_t i = 0; i < samples.size(); ++i) {
    weighted[i] = second.Process(first.Process(samples[i], 150.0), 150.0);
  }
  return LoudestRms(weighted, 0.05);
}

void Normalise(Samples& samples, float targetLoudness, float peakLimit) {
  const float loudness = PerceivedLoudness(samples);
  if (loudness <= 0.0f) return;
  Scale(samples, targetLoudness / loudness);
  const float peak = Peak(samples);
  if (peak > peakLimit) Scale(samples, peakLimit / peak);
}

float SoftClip(float x) { return std::tanh(x); }

}  // namespace Framework::SoundTool
