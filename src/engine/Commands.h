// Commands: the names of every number that events carry between systems.
// Events keep plain integers (level files and saved events carry the numbers),
// so each list is an unscoped enum inside a struct: the names convert to the
// event field without a cast, and a handler switches on the field directly.
// Invariant: the values are the game's contract between systems and never change;
// a handler ignores a number it does not know, and each event's default is such a number.
#pragma once

#include <cstdint>

namespace Framework {

// FactoryEvent::Command. 0 to 12 build a named archetype; 13 makes an empty
// object; 14 to 37 and 40 attach one component to the event's Object.
struct FactoryCommand {
  enum Value : std::int32_t {
    BuildPlayer = 0,
    BuildPlatform = 1,
    BuildEnemy = 2,
    BuildBomb = 3,  // the archetype is named "Pusher"
    BuildWinTrigger = 4,
    BuildThrowIndicator = 5,
    BuildSplashScreen = 6,
    BuildCredits = 7,
    BuildStaticHazard = 8,
    BuildDynamicHazard = 9,
    BuildWormHead = 10,
    BuildWormSegment = 11,
    BuildTestEmitter = 12,
    CreateObject = 13,
    AddTransform = 14,
    AddBody = 15,
    AddSprite = 16,
    AddCreditsScript = 17,
    AddDynamicHazardScript = 18,
    AddPlayerController = 19,  // also adds the DeathAnimation and makes the target the Player
    AddPusherScript = 20,
    AddSplashScript = 21,
    AddStaticHazardScript = 22,
    AddThrowIndicatorScript = 23,
    AddWinTrigger = 24,
    AddWormHeadScript = 25,
    AddWormSegmentScript = 26,
    AddEnemyScript = 27,
    AddEnemyTrigger = 28,
    AddLight = 29,
    AddPointLight = 30,
    AddDirLight = 31,
    AddPlayerAnimation = 32,
    AddParticleEmitter = 33,
    AddBoomScript = 34,
    AddBoomReactScript = 35,
    AddCloudScript = 36,
    AddMovingPlatformScript = 37,
    QueueDestroy = 38,
    None = 39,
    AddFireflyScript = 40,
  };
  static constexpr std::int32_t LastArchetype = BuildTestEmitter;
};

// SerializationEvent::Command.
struct SerializationCommand {
  enum Value : std::int32_t {
    SaveGame = 0,
    LoadGame = 1,
    Checkpoint = 2,
    RestartOrContinue = 3,
    NextLevel = 4,
    PreviousLevel = 5,
    NewGame = 6,
    EnterMainMenu = 7,
    ShowCredits = 8,
    None = 9,
  };
};

// AudioEvent::Command.
struct AudioCommand {
  enum Value : std::int32_t {
    PlaySfx = 0,
    PlayMusic = 1,
    PlayMenu = 2,
    PauseChannel = 3,
    ResumeChannel = 4,
    StopChannel = 5,
    PauseSfx = 6,
    ResumeSfx = 7,
    PauseMusic = 8,
    ResumeMusic = 9,
    PauseMenu = 10,
    ResumeMenu = 11,
    PauseMaster = 12,
    ResumeMaster = 13,
    SetVolume = 14,
    None = 15,
  };
};

// GraphicsEvent::Command: only ShowText puts a message on screen.
struct GraphicsCommand {
  enum Value : std::int32_t {
    ShowText = 0,
    None = 1,
  };
};

// The numbers Sprite::SetFilename(int) takes; each names a texture (or none).
struct SpriteType {
  enum Value : std::int32_t {
    Untextured = 0,
    Player = 1,
    Platform = 2,
    Crate = 3,  // "container2"
    Bomb = 4,
    WinTrigger = 5,
    Sky = 6,          // untextured, sky-blue tint
    EmptyButton = 7,  // also the button tint
    EmptyButtonGray = 8,
    EmptyButtonPressed = 9,
    BackButton = 10,
    TumbrixLogo = 11,
    MainMenuButton = 12,
    MainMenuAlt = 13,
    NextAlt = 14,
    NoButton = 15,
    OptionsButton = 16,
    OptionsHeader = 17,
    Paused = 18,
    PreviousAlt = 19,
    QuitButton = 20,
    QuitConfirmation = 21,
    YesButton = 22,
    StartButton = 23,
    ThrowIndicator = 24,
    Splash = 25,
    Credits = 26,
    StaticHazard = 27,
    DynamicHazard = 28,
    WormHead = 29,
    WormSegment = 30,
    HowToPlay = 31,
    Cursor = 32,
    Tutorial1 = 33,
    Tutorial2 = 34,
    WinScreen = 35,
    Tutorial1Ru = 36,
    Tutorial2Ru = 37,
    WinScreenRu = 38,
    Keep = 39,  // leaves the sprite as it is
  };
};

}  // namespace Framework
