#include "levels/Localisation.h"

#include <iostream>
#include <utility>
#include <vector>

#include "levels/LevelSlots.h"

namespace Framework {

namespace {

// English phrase and its Russian text, in the order the dictionaries are filled.
const std::vector<std::pair<std::u16string, std::u16string>>& Phrases() {
  static const std::vector<std::pair<std::u16string, std::u16string>> phrases = {
      {u"NEW GAME", u"НОВАЯ ИГРА"},
      {u"SELECT LEVEL", u"ВЫБОР УРОВНЯ"},
      {u"HOW TO PLAY", u"КАК ИГРАТЬ"},
      {u"OPTIONS", u"НАСТРОЙКИ"},
      {u"CREDITS", u"КРЕДИТЫ"},
      {u"QUIT GAME", u"ВЫХОД"},
      {u"RESUME GAME", u"ПРОДОЛЖИТЬ"},
      {u"RESTART LEVEL", u"НАЧАТЬ ЗАНОВА"},
      {u"TO MAIN MENU", u"ГЛАВНОЕ МЕНЮ"},
      {u"YES", u"ДА"},
      {u"NO", u"НЕТ"},
      {u"BACK", u"НАЗАД"},
      {u"WINDOW MODE", u"ОКОННЫЙ РЕЖИМ"},
      {u"FULL SCREEN", u"ПОЛНОЭКРАННЫЙ"},
      // A toggle's label names what a click does: "mute" is "switch off".
      {u"UNMUTE MUSIC", u"ВКЛЮЧИТЬ МУЗЫКУ"},
      {u"MUTE MUSIC", u"ВЫКЛЮЧИТЬ МУЗЫКУ"},
      {u"UNMUTE AUDIO", u"ВКЛЮЧИТЬ ЗВУКИ"},
      {u"MUTE AUDIO", u"ВЫКЛЮЧИТЬ ЗВУКИ"},
      {u"RUSSIAN", u"РУССКИЙ"},
      {u"ENGLISH", u"АНГЛИЙСКИЙ"},
      {u"LEVEL", u"УРОВЕНЬ"},
      {u"NEXT", u"СЛЕДУЮЩАЯ"},
      {u"PREVIOUS", u"ПРЕДЫДУЩАЯ"},
      {u"MAIN MENU", u"ГЛАВНОЕ МЕНЮ"},
      {u"Checkpoint reached", u"Игра сохранена"},
      {u"Try again", u"Попробуй снова"},
      {u"Fly Mode Activated", u"можно летать"},
      {u"Fly Mode Deactivated", u"нельзя летать"},
      {u"Load Next Level", u"Следующий уровень загружен"},
      {u"Load Previous Level", u"Предыдущий уровень загружен"},
      {u"TUMBRIX", u"ТУМБРИКС"},
      {u"REALLY?", u"ДЕЙСТВИТЕЛЬНО?"},
      {u"RESTORE BACKUP?", u"ВЕРНУТЬ КОПИЮ?"},
      {u"PAUSED", u"НА ПАУЗЕ"},
      {u"FPS", u"ФПС"},
  };
  return phrases;
}

std::u16string Decimal(int n) {
  std::u16string digits;
  for (char c : std::to_string(n)) digits.push_back(static_cast<char16_t>(c));
  return digits;
}

Localisation::Dictionary NewDictionary() {
  Localisation::Dictionary dictionary;
  dictionary.max_load_factor(1.0f);
  dictionary.rehash(8);
  return dictionary;
}

}  // namespace

Localisation& Localisation::Instance() {
  static Localisation instance;
  return instance;
}

Localisation::Localisation() {
  Dictionaries.max_load_factor(1.0f);
  Dictionaries.rehash(8);
  Dictionary english = NewDictionary();
  Dictionary russian = NewDictionary();
  for (const auto& [key, value] : Phrases()) {
    english[key] = key;
    russian[key] = value;
  }
  for (int n = 1; n <= LevelSlot::NumberedLevels; ++n) {
    const std::u16string number = Decimal(n);
    // Buttons of the level-select menu.
    english[u"LEVEL " + number] = u"LEVEL " + number;
    russian[u"LEVEL " + number] = u"УРОВЕНЬ " + number;
    // Level titles shown when a play level starts.
    const std::u16string title = u"Level " + number + u" out of " + Decimal(LevelSlot::NumberedLevels);
    english[title] = title;
    russian[title] = u"Уровень " + number + u" из " + Decimal(LevelSlot::NumberedLevels);
  }
  Dictionaries.emplace(LanguageId::English, std::move(english));
  Dictionaries.emplace(LanguageId::Russian, std::move(russian));
}

std::u16string Localisation::LookUp(const Dictionary& dictionary, const std::u16string& phrase) {
  auto found = dictionary.find(phrase);
  if (found != dictionary.end()) return found->second;
  if (reported_.insert(phrase).second) {
    std::cout << "Can not translate, given fraze not in the dictionary\n";
  }
  return phrase;
}

std::u16string Localisation::Translate(const std::u16string& phrase) {
  auto current = Dictionaries.find(Language);
  if (current != Dictionaries.end()) return LookUp(current->second, phrase);
  auto english = Dictionaries.find(LanguageId::English);
  if (english != Dictionaries.end()) return LookUp(english->second, phrase);
  if (!reportedNoEnglish_) {
    reportedNoEnglish_ = true;
    std::cout << "English dictionary does not exist\n";
  }
  return phrase;
}

}  // namespace Framework
