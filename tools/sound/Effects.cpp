#include "Effects.h"

#include <algorithm>
#include <cmath>

namespace Framework::SoundTool {

namespace {
double TimeOf(std::size_t i) { return static_cast<double>(i) / SampleRate; }

// Exponential glide from `from` to `to` over `seconds`, then holding `to`.
double Glide(double t, double from, double to, double seconds) {
  const double x = std::min(t / seconds, 1.0);
  return from * std::pow(to / from, x);
}
}  // namespace

Samples MakeThrow() {
  const double length = 0.30;
  Samples out(SamplesFor(length));
  Noise noise(0x7412u);
  BandPass band;
  Oscillator swish(Wave::Sine);
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = TimeOf(i);
    // The air rises in pitch as the arm swings through, then falls away.
    const double centre = t < 0.12 ? Glide(t, 700.0, 2600.0, 0.12) : Glide(t - 0.12, 2600.0, 1100.0, 0.18);
    const float air = band.Process(noise.Next(), centre, 2.5);
    const float tone = 0.25f * swish.Next(Glide(t, 420.0, 980.0, 0.2));
    const float swell = t < 0.09 ? static_cast<float>(t / 0.09) : PercussiveAt(t - 0.09, 0.0, 0.07, length - 0.09, 0.04);
    out[i] = swell * (air + tone);
  }
  return out;
}

Samples MakeJump() {
  const double length = 0.20;
  Samples out(SamplesFor(length));
  Oscillator square(Wave::Square, 0.25);
  LowPass soften;
  const Envelope envelope{0.004, 0.06, 0.6, 0.05, length - 0.05};
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = TimeOf(i);
    const float x = square.Next(Glide(t, 330.0, 780.0, 0.14));
    out[i] = envelope.At(t) * soften.Process(x, 5000.0);
  }
  return out;
}

Samples MakeExplosion() {
  const double length = 0.75;
  Samples out(SamplesFor(length));
  Noise noise(0xB00Bu);
  Oscillator thump(Wave::Sine);
  LowPass rumble;
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = TimeOf(i);
    // The body: a sine dropping from a kick-like punch into a low rumble.
    const float body = thump.Next(Glide(t, 120.0, 38.0, 0.3)) * PercussiveAt(t, 0.002, 0.16, length, 0.1);
    // The debris: noise whose brightness closes quickly, leaving a dull roar.
    const double cutoff = Glide(t, 6000.0, 250.0, 0.45);
    const float debris = rumble.Process(noise.Next(), cutoff) * PercussiveAt(t, 0.001, 0.2, length, 0.12);
    out[i] = SoftClip(1.6f * body + 1.4f * debris);
  }
  return out;
}

Samples MakeDeath() {
  const double length = 0.85;
  Samples out(SamplesFor(length));
  Oscillator square(Wave::Square, 0.5);
  Oscillator triangle(Wave::Triangle);
  Noise noise(0xDEADu);
  LowPass soften;
  const Envelope envelope{0.005, 0.1, 0.8, 0.15, length - 0.15};
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = TimeOf(i);
    // Sliding down two octaves with a wobble that makes it sound deflated.
    const double wobble = 1.0 + 0.05 * std::sin(2.0 * Pi * 9.0 * t);
    const double pitch = Glide(t, 620.0, 140.0, 0.75) * wobble;
    const float tone = 0.6f * square.Next(pitch) + 0.5f * triangle.Next(pitch * 0.5);
    // A short crunch marks the moment of the hit.
    const float crunch = noise.Next() * PercussiveAt(t, 0.001, 0.025, 0.12, 0.03);
    out[i] = envelope.At(t) * soften.Process(tone, 3500.0) + 0.6f * crunch;
  }
  return out;
}

Samples MakeWin() {
  const double length = 0.95;
  Samples out(SamplesFor(length), 0.0f);
  // C5 E5 G5 then C6 held with its octave: a little "ta-da".
  struct Step {
    double start, duration, note;
  };
  const Step steps[] = {{0.0, 0.09, 72}, {0.1, 0.09, 76}, {0.2, 0.09, 79}, {0.3, 0.5, 84}};
  for (const Step& step : steps) {
    Oscillator lead(Wave::Square, 0.5);
    Oscillator under(Wave::Triangle);
    const bool last = step.note == 84;
    const Envelope envelope{0.004, 0.05, 0.75, last ? 0.14 : 0.03, step.duration};
    const std::size_t first = SamplesFor(step.start);
    for (std::size_t i = 0; first + i < out.size(); ++i) {
      const double t = TimeOf(i);
      if (t >= envelope.TotalLength()) break;
      // The held note gets a gentle vibrato once it has settled.
      const double vibrato = last && t > 0.12 ? 1.0 + 0.006 * std::sin(2.0 * Pi * 6.0 * (t - 0.12)) : 1.0;
      const double f = NoteFrequency(step.note) * vibrato;
      out[first + i] += envelope.At(t) * (0.5f * lead.Next(f) + 0.5f * under.Next(f * 0.5));
    }
  }
  LowPass soften;
  for (float& s : out) s = soften.Process(s, 6000.0);
  return out;
}

Samples MakeMenuClick() {
  const double length = 0.07;
  Samples out(SamplesFor(length));
  Oscillator body(Wave::Sine);
  Oscillator overtone(Wave::Sine);
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = TimeOf(i);
    const float level = PercussiveAt(t, 0.0015, 0.012, length, 0.02);
    out[i] = level * (body.Next(Glide(t, 900.0, 700.0, 0.05)) + 0.3f * overtone.Next(2300.0));
  }
  return out;
}

Samples MakeMenuHover() {
  const double length = 0.05;
  Samples out(SamplesFor(length));
  Oscillator body(Wave::Sine);
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = TimeOf(i);
    const float level = PercussiveAt(t, 0.003, 0.01, length, 0.015);
    out[i] = level * body.Next(Glide(t, 1500.0, 1750.0, 0.03));
  }
  return out;
}

}  // namespace Framework::SoundTool
