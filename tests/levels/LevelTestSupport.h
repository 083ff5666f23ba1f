// Helpers shared by the level tests: a private temporary folder per test (tests
// run in parallel processes and must never share files), file writing, and a
// fixture that points every level slot and the autosave into that folder.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "engine/EventSystem.h"
#include "engine/Events.h"
#include "levels/Serialization.h"
#include "objects/Factory.h"
#include "objects/Transform.h"

namespace Framework::testing_support {

class TempDir {
 public:
  TempDir() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = "tumbrix-levels-" + std::to_string(::getpid());
    if (info) name += std::string("-") + info->test_suite_name() + "-" + info->name();
    Path = std::filesystem::temp_directory_path() / name;
    std::filesystem::remove_all(Path);
    std::filesystem::create_directories(Path);
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(Path, ignored);
  }
  std::string File(const std::string& name) const { return (Path / name).string(); }

  std::filesystem::path Path;
};

inline void WriteTextFile(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
}

inline std::string ReadTextFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

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

// Keeps a copy of every GraphicsEvent or AudioEvent delivered.
template <class E>
class Recorder : public Listener {
 public:
  explicit Recorder(std::vector<E>* sink) : sink_(sink) {}
  void OnEvent(Event* event) override { sink_->push_back(static_cast<E&>(*event)); }

 private:
  std::vector<E>* sink_;
};

// Every slot and the autosave live in a private folder; the Factory listens.
class LevelFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    Factory::Instance().Initialize();
    Serialization& serialization = Serialization::Instance();
    for (int slot = 0; slot < Serialization::kLevelSlotCount; ++slot) {
      serialization.LevelFiles[static_cast<std::size_t>(slot)] = SlotFile(slot);
    }
    serialization.AutosavePath = dir.File("autosave.json");
  }

  std::string SlotFile(int slot) const { return dir.File("Save" + std::to_string(slot) + ".json"); }
  // Writes slot files whose one object is marked with the slot number.
  void WriteMarkedSlots(int first, int last) {
    for (int slot = first; slot <= last; ++slot) WriteTextFile(SlotFile(slot), LevelWithMarkers({slot}));
  }

  TempDir dir;
};

}  // namespace Framework::testing_support
