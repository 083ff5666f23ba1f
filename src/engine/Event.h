// Event and Listener: the base types of the game's typed messages.
// An event's Type never changes after construction; a listener decides by Type
// (and often by a Command field) what an event means to it.
#pragma once

#include <cstdint>

namespace Framework {

enum class EventType : std::int32_t {
  Reserved0 = 0,  // carries no event
  Reserved1 = 1,  // carries no event
  Audio = 2,
  Keyboard = 3,
  Factory = 4,
  Serialization = 5,
  Graphics = 6,
  Object = 7,
  Mouse = 8,
  Boom = 9,
  Death = 10,
};

inline constexpr int EventTypeCount = 11;

class Event {
 public:
  explicit Event(EventType type) : Type(type) {}
  virtual ~Event() = default;

  EventType Type;
};

class Listener {
 public:
  virtual ~Listener() = default;
  virtual void OnEvent(Event* event) = 0;
};

}  // namespace Framework
