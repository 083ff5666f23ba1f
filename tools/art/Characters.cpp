// The two characters and the bomb: small enough that every pixel is placed by hand.
#include "Painters.h"
#include "Palette.h"
#include "TextureSet.h"

namespace Framework::Art {

namespace {
const std::map<char, Rgba> kLegend = {
    {'K', Pal::Ink},  {'Y', Pal::Gold},   {'L', Pal::Lemon}, {'S', Pal::Sand},  {'O', Pal::Orange},
    {'B', Pal::Blue}, {'N', Pal::Navy},   {'b', Pal::Bark},  {'w', Pal::Wood},  {'R', Pal::Red},
    {'W', Pal::Snow}, {'M', Pal::Mist},   {'s', Pal::Slate}, {'n', Pal::Night}, {'A', Pal::SkyDeep},
};
}  // namespace

Canvas PaintPlayer() {
  // A demolition worker in a hard hat and overalls.
  return CanvasFromRows({
      "....KKKK....",
      "..KKLLYYKK..",
      ".KLLYYYYYYK.",
      ".KLYYYYYYYK.",
      "KKKKKKKKKKKK",
      ".KSSSSSSSSK.",
      ".KSSSKSSKSK.",
      ".KSSSKSSKSK.",
      ".KSOSSSSSOK.",
      ".KSSSSKKSSK.",
      "..KKSSSSKK..",
      "..KOBOOBOK..",
      ".KOOBBBBOOK.",
      "KOOKBBBBKOOK",
      "KOOKBLBBKOOK",
      "KSSKBBBBKSSK",
      "KKKKBBBBKKKK",
      "..KBBBBBBK..",
      "..KBBBBBBK..",
      "..KBBKKBBK..",
      "..KNNKKNNK..",
      ".KbbbKKbbbK.",
      ".KbbbKKbbbK.",
      ".KKKKKKKKKK.",
  }, kLegend);
}

Canvas PaintEnemy() {
  // A grumpy cargo box on two stubby feet.
  return CanvasFromRows({
      ".KKKKKKKKKKKKKK.",
      "KWMMMMMMMMMMMMMK",
      "KsssssssssssssSK",
      "KOKKKRRRRRRKKKRK",
      "KORWWKKRRKKWWRRK",
      "KORWKKWRRWKKWRRK",
      "KORWWWWRRWWWWRRK",
      "KORRRRRRRRRRRRRK",
      "KORKKKKKKKKKKRRK",
      "KORKWKWKWKWKKRRK",
      "KORKKKKKKKKKKRRK",
      "KORRRRRRRRRRRRRK",
      "KWMMMMMMMMMMMMMK",
      "KKKKKKKKKKKKKKKK",
      "..KbbK....KbbK..",
      "..KKKK....KKKK..",
  }, {{'K', Pal::Ink}, {'W', Pal::Snow}, {'M', Pal::Mist}, {'s', Pal::Slate}, {'S', Pal::Slate},
      {'O', Pal::Orange}, {'R', Pal::Red}, {'b', Pal::Bark}});
}

Canvas PaintBomb() {
  return CanvasFromRows({
      "........L...",
      ".......LOL..",
      "......w.L...",
      ".....w......",
      "...KKsK.....",
      "..KnnnnK....",
      ".KnWnnnnK...",
      ".KnWnnnnK...",
      ".KnnnnnnK...",
      ".KnnnnnsK...",
      "..KnnnsK....",
      "...KKKK.....",
  }, kLegend);
}

void AddCharacterTextures(TextureList& list) {
  list.push_back({"player", [](const PixelFont&) { return PaintPlayer(); }});
  list.push_back({"container2", [](const PixelFont&) { return PaintEnemy(); }});
}

}  // namespace Framework::Art
