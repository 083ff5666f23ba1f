// LevelSlots: the roles of the fifty level slots ("saves/Save<N>.json").
// Invariant: these numbers are the game's chain of levels; every comparison of a
// slot number in the code goes through a name or a predicate here.
#pragma once

#include <cstdint>

namespace Framework {

struct LevelSlot {
  enum Value : std::int32_t {
    FirstSplash = 0,      // loaded at start-up
    SecondSplash = 1,     // after the first splash; hands over to the main menu
    MainMenu = 2,         // the world behind the menus
    Credits = 3,          // the credits world; loading it never changes LastLevel
    FirstPlay = 10,       // "Level 1 out of 8", the first tutorial; NEW GAME starts here
    SecondTutorial = 12,  // "Level 3 out of 8"
    LastNumbered = 17,    // "Level 8 out of 8"
    Finale = 18,          // after the last numbered level: no title, its exit leads to the credits
  };
  static constexpr std::int32_t Count = 50;
  static constexpr std::int32_t NumberedLevels = LastNumbered - FirstPlay + 1;
};

// The eight numbered levels: titles, checkpoints and "Try again".
constexpr bool IsPlayLevel(std::int32_t slot) { return slot >= LevelSlot::FirstPlay && slot != LevelSlot::Finale; }
// The numbered levels and the finale: where the pause menu and the player live.
constexpr bool IsGameLevel(std::int32_t slot) { return slot >= LevelSlot::FirstPlay; }
// The screens before and around play: splashes, main-menu world and credits.
constexpr bool IsScreenLevel(std::int32_t slot) { return slot >= 0 && slot <= LevelSlot::Credits; }
constexpr bool IsValidSlot(std::int64_t slot) { return slot >= 0 && slot < LevelSlot::Count; }
// The number a play level shows in its title (1 to 8).
constexpr std::int32_t LevelNumber(std::int32_t slot) { return slot - LevelSlot::FirstPlay + 1; }
constexpr std::int32_t SlotOfLevelNumber(std::int32_t number) { return number + LevelSlot::FirstPlay - 1; }

}  // namespace Framework
