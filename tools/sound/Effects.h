// Effects: one function per sound effect of the game. Each returns raw mono
// samples at SampleRate that start and end at silence; levels are evened out
// afterwards by the caller, so only the shape and colour are decided here.
#pragma once

#include "Synth.h"

namespace Framework::SoundTool {

Samples MakeThrow();        // a bomb leaves the hand: a short airy whoosh
Samples MakeJump();         // a springy upward square-wave blip
Samples MakeExplosion();    // a punchy low thump wrapped in a burst of noise
Samples MakeDeath();        // a sad wobbling slide down
Samples MakeWin();          // a quick rising fanfare that lands on a held chord
Samples MakeMenuClick();    // a soft wooden tick
Samples MakeMenuHover();    // an even softer, higher tick

}  // namespace Framework::SoundTool
