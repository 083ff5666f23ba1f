// The concrete event classes, one per event type. Fields and their defaults
// are part of the game's contract between systems; a default Command is a value
// that every handler ignores.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "engine/Commands.h"
#include "engine/Event.h"

namespace Framework {

class GameObject;

// Identifies one playing sound. A default-made handle names no channel; a handle
// whose sound has ended or been stopped no longer matches its channel's Serial,
// so a stale handle is detected instead of touching a sound it never started.
struct AudioChannel {
  std::int32_t Index = -1;
  std::uint32_t Serial = 0;
  bool IsNull() const { return Index < 0; }
  friend bool operator==(const AudioChannel&, const AudioChannel&) = default;
};

class AudioEvent : public Event {
 public:
  static constexpr EventType kType = EventType::Audio;
  AudioEvent() : Event(kType) {}
  bool Loop = false;
  std::int32_t Command = AudioCommand::None;
  AudioChannel Channel;
  std::string SoundName;
  float Volume = 0.0f;
  // Called with the new channel after a play command.
  std::function<void(AudioChannel)> Callback;
};

class KeyboardEvent : public Event {
 public:
  static constexpr EventType kType = EventType::Keyboard;
  KeyboardEvent() : Event(kType) {}
  // One byte per scancode, non-zero while that key is held; valid for the whole run.
  const std::uint8_t* KeyState = nullptr;
};

class FactoryEvent : public Event {
 public:
  static constexpr EventType kType = EventType::Factory;
  FactoryEvent() : Event(kType) {}
  std::int32_t Command = FactoryCommand::None;
  // Called with the new object (archetypes, command 13) or the target (component commands).
  std::function<void(GameObject*)> Callback;
  GameObject* Object = nullptr;
  std::uint32_t ObjectId = 0;
};

class SerializationEvent : public Event {
 public:
  static constexpr EventType kType = EventType::Serialization;
  SerializationEvent() : Event(kType) {}
  std::int32_t Command = SerializationCommand::None;
  std::string FileName;
};

struct Color3 {
  float R = 0.0f, G = 0.0f, B = 0.0f;
};

class GraphicsEvent : public Event {
 public:
  static constexpr EventType kType = EventType::Graphics;
  GraphicsEvent() : Event(kType) {}
  std::int32_t Command = GraphicsCommand::None;
  std::string Text = "ERROR!";
  float Size = 20.0f;
  float X = 0.0f, Y = 0.0f;
  float Elapsed = 0.0f;
  float Lifetime = 0.0f;  // seconds
  Color3 Color;
};

class ObjectEvent : public Event {
 public:
  static constexpr EventType kType = EventType::Object;
  explicit ObjectEvent(GameObject* object) : Event(kType), Object(object) {}
  // Collision is the only kind made.
  static constexpr std::int32_t CollisionKind = 0;
  std::int32_t Kind = CollisionKind;
  GameObject* Object;     // the addressee
};

class CollisionObjectEvent : public ObjectEvent {
 public:
  CollisionObjectEvent(GameObject* object, GameObject* other) : ObjectEvent(object), Other(other) {}
  GameObject* Other;
};

// The Windows system's mouse record, read directly by scripts and menus.
struct MouseRecord {
  float MouseX = 0.0f, MouseY = 0.0f;  // world units
  std::uint8_t Button = 0;             // 1 left, 3 right, 0 none this frame
  std::uint32_t ButtonEventType = 0;   // 1025 down, 1026 up, 0 none this frame
};

class MouseEvent : public Event {
 public:
  static constexpr EventType kType = EventType::Mouse;
  explicit MouseEvent(const MouseRecord* state = nullptr) : Event(kType), MouseState(state) {}
  const MouseRecord* MouseState;
};

class BoomEvent : public Event {
 public:
  static constexpr EventType kType = EventType::Boom;
  BoomEvent() : Event(kType) {}
  float Strength = 0.0f;
  float X = 0.0f, Y = 0.0f;  // explosion centre
};

class DeathEvent : public Event {
 public:
  static constexpr EventType kType = EventType::Death;
  DeathEvent() : Event(kType) {}
  std::int32_t Cause = 0;  // 0 static hazard, 2 enemy trigger
  GameObject* Source = nullptr;
};

}  // namespace Framework
