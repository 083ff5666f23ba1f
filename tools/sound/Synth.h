// Synth: the building blocks the game's sounds are made of: band-limited
// oscillators, seeded noise, envelopes, simple filters and level tools.
// Invariant: everything here is deterministic. The same calls give the same
// samples on every run, so the encoded files are byte-for-byte reproducible.
#pragma once

#include <cstdint>
#include <vector>

namespace Framework::SoundTool {

inline constexpr int SampleRate = 44100;
using Samples = std::vector<float>;

inline constexpr double Pi = 3.14159265358979323846;

std::size_t SamplesFor(double seconds);
// Equal-tempered pitch of a MIDI note number (69 is A4 = 440 Hz).
double NoteFrequency(double midiNote);

// White noise in [-1, 1) from a fixed seed (splitmix64), independent of the standard library.
class Noise {
 public:
  explicit Noise(std::uint64_t seed) : state_(seed) {}
  float Next();

 private:
  std::uint64_t state_;
};

enum class Wave { Sine, Square, Triangle, Saw };

// A running-phase oscillator; the frequency may change every sample. Square and
// saw edges are smoothed with polyBLEP so high notes do not alias into hiss.
class Oscillator {
 public:
  explicit Oscillator(Wave wave, double duty = 0.5) : wave_(wave), duty_(duty) {}
  float Next(double frequency);
  void SetDuty(double duty) { duty_ = duty; }

 private:
  Wave wave_;
  double duty_;
  double phase_ = 0.0;
};

// Attack-decay-sustain-release over a note of known length: rises linearly for
// Attack, falls to Sustain over Decay, and releases linearly to exactly zero
// over Release after NoteLength. Zero at both ends, so notes never click.
struct Envelope {
  double Attack = 0.005;
  double Decay = 0.05;
  double Sustain = 0.7;
  double Release = 0.03;
  double NoteLength = 0.2;
  double TotalLength() const { return NoteLength + Release; }
  float At(double t) const;
};

// exp(-t / tau) shaped decay with a short linear attack, forced to zero at `end`
// over the last `fadeOut` seconds.
float PercussiveAt(double t, double attack, double tau, double end, double fadeOut);

class LowPass {
 public:
  float Process(float x, double cutoffHz);

 private:
  float y_ = 0.0f;
};

class HighPass {
 public:
  float Process(float x, double cutoffHz);

 private:
  float lastX_ = 0.0f;
  float y_ = 0.0f;
};

// Chamberlin state-variable filter; the band-pass output suits sweeps.
class BandPass {
 public:
  float Process(float x, double centreHz, double q);

 private:
  float low_ = 0.0f;
  float band_ = 0.0f;
};

float Peak(const Samples& samples);
// The loudest stretch: the highest RMS over windows of the given length.
float LoudestRms(const Samples& samples, double windowSeconds);
void Scale(Samples& samples, float gain);
// LoudestRms over 50 ms after taking out the deep bass the ear hardly hears.
float PerceivedLoudness(const Samples& samples);
// Scales to the target perceived loudness, then lowers it further if needed
// so that the peak stays at or below `peakLimit`.
void Normalise(Samples& samples, float targetLoudness, float peakLimit);
// Soft saturation that keeps small signals linear.
float SoftClip(float x);

}  // namespace Framework::SoundTool
