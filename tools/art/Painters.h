// Painters: the drawings shared between textures. The level sprites double as
// the icons of the explanation screens, so a spike on the how-to-play picture
// is the same spike the player meets in a level.
// Invariant: every painter returns art pixels (one canvas pixel = one art
// pixel) with transparent surroundings unless it is a tile.
#pragma once

#include "Canvas.h"
#include "PixelFont.h"

#include <string_view>

namespace Framework::Art {

// Characters (Characters.cpp).
Canvas PaintPlayer();       // 12 x 24, facing right
Canvas PaintEnemy();        // 16 x 16, the hopping box
Canvas PaintBomb();         // 12 x 12, fuse lit

// Level art (LevelArt.cpp).
Canvas PaintGroundGrass();  // 24 x 24 tile, repeats left-right
Canvas PaintGroundDirt();   // 24 x 24 tile, repeats both ways
Canvas PaintStoneBlock();   // 24 x 24 tile, repeats both ways
Canvas PaintPlatform();     // 24 x 12 tile, repeats left-right
Canvas PaintSpikes();       // 24 x 12 tile, repeats left-right
Canvas PaintSaw();          // 24 x 24
Canvas PaintCrate();        // 24 x 24
Canvas PaintCloud();        // 48 x 24
Canvas PaintExit(const PixelFont& font);  // 36 x 48
Canvas PaintSignpost();     // 24 x 24
Canvas PaintHill(bool far); // 96 x 48
Canvas PaintPaleHill();     // 96 x 48, a distant hill in a pale grey for tinting
Canvas PaintTree();         // 36 x 60
Canvas PaintBush();         // 36 x 18
Canvas PaintGrassTufts();   // 24 x 12 tile, repeats left-right
Canvas PaintWarning();      // 24 x 36, a hazard post: a spike on a yellow board
Canvas PaintPine();         // 36 x 72
Canvas PaintMoon();         // 24 x 24
Canvas PaintSun();          // 36 x 36, low and orange
Canvas PaintLantern();      // 24 x 48, a lit lamp on a post

// Interface motifs (Motifs.cpp).
// A bevelled, ink-rimmed box: the shape of every button and panel.
void DrawPanel(Canvas& c, int x, int y, int w, int h, Rgba body, Rgba light, Rgba dark);
// A keyboard key with its label; returns its width.
int DrawKeycap(Canvas& c, const PixelFont& font, int x, int y, std::string_view label);
enum class Arrow { Left, Right, Up };
// A keyboard key showing an arrow; returns its width.
int DrawArrowKey(Canvas& c, int x, int y, Arrow direction);
// A mouse, 14 x 20, with one button lit.
void DrawMouse(Canvas& c, int x, int y, bool leftLit);
// A star-shaped blast of radius r.
void DrawBurst(Canvas& c, int cx, int cy, int r);
// A landscape filling the canvas: sky, far and near hills, clouds, trees and
// grass-topped ground whose top edge is at `groundTop`.
void DrawLandscape(Canvas& c, int groundTop);

}  // namespace Framework::Art
