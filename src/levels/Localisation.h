// Localisation: the English and Russian dictionaries every on-screen text goes
// through just before it is drawn, and the current language.
// Invariant: both dictionaries hold the same keys and never change after
// construction; in the English one every value equals its key.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <unordered_set>

namespace Framework {

// The languages by number: Localisation's Language and the keys of its dictionaries.
struct LanguageId {
  enum Value : std::int32_t { English = 0, Russian = 1 };
};

class Localisation {
 public:
  using Dictionary = std::unordered_map<std::u16string, std::u16string>;

  static Localisation& Instance();

  // The phrase in the current language; a phrase the dictionary lacks comes back
  // unchanged, and is reported the first time it is looked up.
  std::u16string Translate(const std::u16string& phrase);

  // A LanguageId. Read by the level loader, flipped by the options menu.
  std::int32_t Language = LanguageId::English;
  // Keyed by LanguageId.
  std::unordered_map<std::int32_t, Dictionary> Dictionaries;

  Localisation(const Localisation&) = delete;
  Localisation& operator=(const Localisation&) = delete;

 private:
  Localisation();
  std::u16string LookUp(const Dictionary& dictionary, const std::u16string& phrase);

  // Phrases already reported as missing: a text drawn every frame would
  // otherwise write the same line sixty times a second.
  std::unordered_set<std::u16string> reported_;
  bool reportedNoEnglish_ = false;
};

}  // namespace Framework
