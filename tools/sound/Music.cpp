#include "Music.h"

#include <cmath>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace Framework::SoundTool {

namespace {

constexpr std::size_t kStepsPerBar = 16;  // sixteenth notes
constexpr std::size_t kStepSamples = SampleRate * 60 / MusicTempo / 4;
static_assert(SampleRate * 60 % (MusicTempo * 4) == 0, "a sixteenth note must be a whole number of samples");

// One bar of the tune: its chord and its melody in eighth notes, written as
// note names ("E5", "C#4"), "-" to hold the previous note, "." for a rest.
struct Bar {
  const char* Chord;
  const char* Melody;
};

const Bar kSong[] = {
    // A: the theme.
    {"C", "E5 - G5 - C6 - G5 E5"},
    {"G", "D5 - G5 - B5 - A5 G5"},
    {"Am", "C5 - E5 - A5 - G5 E5"},
    {"F", "F5 - E5 - D5 - C5 D5"},
    {"C", "E5 G5 C6 G5 E5 G5 C6 D6"},
    {"G", "B5 - A5 G5 D5 - G5 -"},
    {"F", "A5 - G5 F5 E5 - D5 -"},
    {"G", "D5 E5 F5 G5 - - . ."},
    // B: the answer, a little higher and more wistful.
    {"Am", "A5 - - C6 B5 - A5 -"},
    {"F", "A5 - G5 - F5 - E5 -"},
    {"C", "G5 - - E5 C5 - E5 G5"},
    {"G", "B5 - A5 - G5 - - ."},
    {"Am", "A5 - C6 - E6 - D6 C6"},
    {"F", "C6 - A5 - F5 - A5 C6"},
    {"Dm", "D6 - C6 - A5 - F5 -"},
    {"G", "G5 - B5 - D6 - - ."},
    // A again, ending on a run that leads back into the first bar.
    {"C", "E5 - G5 - C6 - G5 E5"},
    {"G", "D5 - G5 - B5 - A5 G5"},
    {"Am", "C5 - E5 - A5 - G5 E5"},
    {"F", "F5 - E5 - D5 - C5 D5"},
    {"C", "E5 G5 C6 G5 E5 G5 C6 D6"},
    {"G", "B5 - A5 G5 D5 - G5 -"},
    {"F", "A5 - G5 F5 E5 - D5 -"},
    {"G", "G5 - F5 - E5 - D5 -"},
};
constexpr std::size_t kBars = sizeof(kSong) / sizeof(kSong[0]);

// MIDI number of a note name like "C#5"; -1 for anything else.
int ParseNote(const std::string& name) {
  static const int kSemitones[] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
  if (name.size() < 2 || name[0] < 'A' || name[0] > 'G') return -1;
  int semitone = kSemitones[name[0] - 'A'];
  std::size_t pos = 1;
  if (name[pos] == '#') {
    ++semitone;
    ++pos;
  }
  if (pos >= name.size() || name[pos] < '0' || name[pos] > '9') return -1;
  return 12 * (name[pos] - '0' + 1) + semitone;
}

// Root (in the bass octave) and whether the chord is minor.
struct Chord {
  int Root;
  bool Minor;
};
Chord ParseChord(const std::string& name) {
  const int root = ParseNote(name.substr(0, 1) + "2");
  const int lifted = root < 40 ? root + 12 : root;  // keep the bass between E2 and D#3
  return {lifted, name.size() > 1 && name[1] == 'm'};
}

struct Note {
  std::size_t Step;    // start, in sixteenths from the top of the song
  std::size_t Length;  // in sixteenths
  int Midi;
};

std::vector<Note> MelodyNotes() {
  std::vector<Note> notes;
  for (std::size_t bar = 0; bar < kBars; ++bar) {
    std::istringstream tokens(kSong[bar].Melody);
    std::string token;
    std::size_t eighth = 0;
    bool holding = false;
    while (tokens >> token) {
      const std::size_t step = bar * kStepsPerBar + eighth * 2;
      if (token == "-" && holding) {
        notes.back().Length += 2;
      } else if (token == "-" || token == ".") {
        holding = false;
      } else {
        notes.push_back({step, 2, ParseNote(token)});
        holding = true;
      }
      ++eighth;
    }
  }
  return notes;
}

class Timeline {
 public:
  explicit Timeline(std::size_t length) : samples_(length, 0.0f) {}
  // Adds a sample at a position that may run past the end: it wraps to the start.
  void Add(std::size_t position, float value) { samples_[position % samples_.size()] += value; }
  Samples Take() { return std::move(samples_); }

 private:
  Samples samples_;
};

double StepSeconds() { return static_cast<double>(kStepSamples) / SampleRate; }

void RenderTone(Timeline& timeline, std::size_t startStep, double noteSeconds, double midi, Wave wave,
                double duty, const Envelope& shape, float gain, bool vibrato) {
  Envelope envelope = shape;
  envelope.NoteLength = noteSeconds;
  Oscillator oscillator(wave, duty);
  const double base = NoteFrequency(midi);
  const std::size_t start = startStep * kStepSamples;
  const std::size_t count = SamplesFor(envelope.TotalLength());
  for (std::size_t i = 0; i < count; ++i) {
    const double t = static_cast<double>(i) / SampleRate;
    // Long notes start to sing after a moment, as chip players did with a delayed vibrato.
    const double wobble = vibrato && t > 0.18 ? 1.0 + 0.005 * std::sin(2.0 * Pi * 5.5 * (t - 0.18)) : 1.0;
    timeline.Add(start + i, gain * envelope.At(t) * oscillator.Next(base * wobble));
  }
}

void RenderLead(Timeline& timeline) {
  const Envelope shape{0.006, 0.08, 0.65, 0.04, 0.0};
  for (const Note& note : MelodyNotes()) {
    // Slightly detached: each note lets go a little before the next begins.
    const double seconds = note.Length * StepSeconds() - 0.03;
    RenderTone(timeline, note.Step, seconds, note.Midi, Wave::Square, 0.5, shape, 0.30f, note.Length >= 4);
  }
}

void RenderBass(Timeline& timeline) {
  const Envelope shape{0.004, 0.05, 0.8, 0.025, 0.0};
  // Root, octave, fifth, octave: the bouncing bass of eight eighth notes per bar.
  const int pattern[] = {0, 12, 7, 12, 0, 12, 7, 12};
  for (std::size_t bar = 0; bar < kBars; ++bar) {
    const Chord chord = ParseChord(kSong[bar].Chord);
    for (std::size_t eighth = 0; eighth < 8; ++eighth) {
      RenderTone(timeline, bar * kStepsPerBar + eighth * 2, 2 * StepSeconds() - 0.04,
                 chord.Root + pattern[eighth], Wave::Triangle, 0.5, shape, 0.42f, false);
    }
  }
}

void RenderArpeggio(Timeline& timeline) {
  const Envelope shape{0.003, 0.03, 0.5, 0.02, 0.0};
  for (std::size_t bar = 0; bar < kBars; ++bar) {
    const Chord chord = ParseChord(kSong[bar].Chord);
    const int tones[] = {0, chord.Minor ? 3 : 4, 7, 12};
    for (std::size_t step = 0; step < kStepsPerBar; ++step) {
      RenderTone(timeline, bar * kStepsPerBar + step, StepSeconds() - 0.03, chord.Root + 24 + tones[step % 4],
                 Wave::Square, 0.125, shape, 0.07f, false);
    }
  }
}

void RenderKick(Timeline& timeline, std::size_t step) {
  Oscillator body(Wave::Sine);
  const double length = 0.16;
  for (std::size_t i = 0; i < SamplesFor(length); ++i) {
    const double t = static_cast<double>(i) / SampleRate;
    const double pitch = 45.0 + 110.0 * std::exp(-t / 0.03);
    timeline.Add(step * kStepSamples + i, 0.55f * PercussiveAt(t, 0.001, 0.06, length, 0.04) * body.Next(pitch));
  }
}

void RenderSnare(Timeline& timeline, std::size_t step, Noise& noise, float gain) {
  Oscillator tone(Wave::Triangle);
  HighPass crisp;
  const double length = 0.14;
  for (std::size_t i = 0; i < SamplesFor(length); ++i) {
    const double t = static_cast<double>(i) / SampleRate;
    const float rattle = crisp.Process(noise.Next(), 1200.0) * PercussiveAt(t, 0.001, 0.045, length, 0.04);
    const float snap = tone.Next(190.0) * PercussiveAt(t, 0.001, 0.02, length, 0.04);
    timeline.Add(step * kStepSamples + i, gain * (0.8f * rattle + 0.5f * snap));
  }
}

void RenderHat(Timeline& timeline, std::size_t step, Noise& noise, float gain, double decay) {
  HighPass thin;
  const double length = decay * 5.0;
  for (std::size_t i = 0; i < SamplesFor(length); ++i) {
    const double t = static_cast<double>(i) / SampleRate;
    timeline.Add(step * kStepSamples + i,
                 gain * thin.Process(noise.Next(), 7000.0) * PercussiveAt(t, 0.0005, decay, length, length * 0.3));
  }
}

void RenderDrums(Timeline& timeline) {
  Noise noise(0x5EED5u);
  for (std::size_t bar = 0; bar < kBars; ++bar) {
    const std::size_t top = bar * kStepsPerBar;
    const bool lastOfPhrase = bar % 8 == 7;
    RenderKick(timeline, top + 0);
    RenderKick(timeline, top + 8);
    if (bar % 2 == 1) RenderKick(timeline, top + 10);
    RenderSnare(timeline, top + 4, noise, 0.30f);
    RenderSnare(timeline, top + 12, noise, 0.30f);
    if (lastOfPhrase) {
      // A small fill announces the next phrase.
      RenderSnare(timeline, top + 14, noise, 0.2f);
      RenderSnare(timeline, top + 15, noise, 0.25f);
    }
    for (std::size_t step = 0; step < kStepsPerBar; step += 2) {
      const bool open = step == 6 || step == 14;
      RenderHat(timeline, top + step, noise, step % 4 == 0 ? 0.10f : 0.07f, open ? 0.05 : 0.012);
    }
  }
}

}  // namespace

Samples MakeMusic() {
  Timeline timeline(kBars * kStepsPerBar * kStepSamples);
  RenderBass(timeline);
  RenderArpeggio(timeline);
  RenderLead(timeline);
  RenderDrums(timeline);
  return timeline.Take();
}

}  // namespace Framework::SoundTool
