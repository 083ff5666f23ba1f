// LevelFixture: every level slot and the autosave point into a private folder, and
// the Factory listens, so level tests load and save real files without touching
// the run-time folder or each other. Levels whose objects are marked by their
// Transform's X position make a world easy to recognise.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "levels/Serialization.h"
#include "objects/Factory.h"
#include "objects/Transform.h"
#include "support/Files.h"
#include "support/TempFolder.h"

namespace Framework {

// A level whose objects are marked by their Transform's X position.
inline std::string LevelWithMarkers(const std::vector<int>& markers, float gravity = -10.0f) {
  std::string text = "{\"Physics\": {\"Gravity\": " + std::to_string(gravity) + "}, \"Factory\": {\"Game_Objects\": [";
  for (std::size_t i = 0; i < markers.size(); ++i) {
    if (i) text += ", ";
    text += "{\"Transform\": {\"Position\": {\"X\": " + std::to_string(markers[i]) + ", \"Y\": 0}}}";
  }
  return text + "]}}";
}

// The X positions of every object's Transform, in object-id (creation) order.
inline std::vector<float> MarkersInWorld() {
  std::vector<float> markers;
  for (const auto& [id, object] : Factory::Instance().Objects) {
    if (auto* transform = object->GetComponent<Transform>()) markers.push_back(transform->Position.x);
  }
  return markers;
}

// The world's objects in creation order.
inline std::vector<GameObject*> WorldObjects() {
  std::vector<GameObject*> objects;
  for (const auto& [id, object] : Factory::Instance().Objects) objects.push_back(object.get());
  return objects;
}

class LevelFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    Factory::Instance().Initialize();
    for (int slot = 0; slot < Serialization::kLevelSlotCount; ++slot) {
      serialization.LevelFiles[static_cast<std::size_t>(slot)] = SlotFile(slot);
    }
    serialization.AutosavePath = dir.File("autosave.json");
  }

  std::string SlotFile(int slot) const { return dir.File("Save" + std::to_string(slot) + ".json"); }
  // Writes slot files whose one object is marked with the slot number.
  void WriteMarkedSlots(int first, int last) {
    for (int slot = first; slot <= last; ++slot) WriteFileText(SlotFile(slot), LevelWithMarkers({slot}));
  }

  TempFolder dir{"tumbrix-levels"};
  Serialization& serialization = Serialization::Instance();
};

}  // namespace Framework
