#include "graphics/SpriteLanguage.h"

#include <array>
#include <string_view>

#include "graphics/Sprite.h"
#include "levels/LevelSlots.h"
#include "levels/Localisation.h"
#include "levels/Serialization.h"
#include "objects/Factory.h"

namespace Framework {

namespace {

constexpr std::array<std::string_view, 3> kWordedTextures = {"tutorial1", "tutorial2", "winscreen"};
constexpr std::string_view kRussianSuffix = "_RU";

bool IsWorded(std::string_view name) {
  for (std::string_view worded : kWordedTextures) {
    if (name == worded) return true;
  }
  return false;
}

bool IsRussianWorded(std::string_view name) {
  return name.size() > kRussianSuffix.size() && name.ends_with(kRussianSuffix) &&
         IsWorded(name.substr(0, name.size() - kRussianSuffix.size()));
}

// The levels whose pictures carry words: the two tutorials and the win screen.
constexpr bool HasWordedPictures(std::int32_t slot) {
  return slot == LevelSlot::FirstPlay || slot == LevelSlot::SecondTutorial || slot == LevelSlot::Finale;
}

}  // namespace

std::string LocalisedTextureName(const std::string& filename, std::int32_t language) {
  if (language == LanguageId::Russian && IsWorded(filename)) return filename + std::string(kRussianSuffix);
  return filename;
}

void ApplyLanguageToSprites() {
  const std::int32_t level = Serialization::Instance().CurrentLevel;
  if (!HasWordedPictures(level)) return;
  Localisation& localisation = Localisation::Instance();
  if (localisation.Language != LanguageId::English) localisation.Language = LanguageId::Russian;
  for (auto& [id, object] : Factory::Instance().Objects) {
    (void)id;
    Sprite* sprite = object->GetComponent<Sprite>();
    if (sprite == nullptr) continue;
    const std::string& name = sprite->Filename;
    if (localisation.Language == LanguageId::English && IsRussianWorded(name)) {
      sprite->SetFilename(name.substr(0, name.size() - kRussianSuffix.size()));
    } else if (localisation.Language == LanguageId::Russian && IsWorded(name)) {
      sprite->SetFilename(name + std::string(kRussianSuffix));
    }
  }
}

}  // namespace Framework
