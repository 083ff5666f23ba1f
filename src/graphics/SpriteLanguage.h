// SpriteLanguage: the few textures that carry words (the tutorials and the win
// screen) exist in an English and a Russian ("_RU") version; these helpers pick the
// one for the current language, for level loading and for the language option.
// Invariant: only the whole, case-sensitive names "tutorial1", "tutorial2" and
// "winscreen" (and their "_RU" forms) are ever changed.
#pragma once

#include <cstdint>
#include <string>

namespace Framework {

// The texture name a level's "Filename" stands for in `language` (a LanguageId).
std::string LocalisedTextureName(const std::string& filename, std::int32_t language);

// Rebinds every sprite of the world to the version of its texture for the current
// language. Only the level slots that show such textures (10, 12 and 18) are touched.
void ApplyLanguageToSprites();

}  // namespace Framework
