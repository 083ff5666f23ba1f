// Music: the background tune, a cheerful chiptune of lead, bass, arpeggio and
// drums. It is rendered onto a circular timeline: anything that rings past the
// end (a release tail, a cymbal) continues at the start, so the file loops
// without a seam.
#pragma once

#include "Synth.h"

namespace Framework::SoundTool {

// Beats per minute; with 16th notes of exactly 5250 samples the loop length is whole.
inline constexpr int MusicTempo = 126;

Samples MakeMusic();

}  // namespace Framework::SoundTool
