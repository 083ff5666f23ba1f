#include "editor/Replay.h"

#include <iostream>
#include <memory>

#include <SDL.h>
#include <json/writer.h>

#include "engine/Random.h"
#include "levels/JsonFile.h"
#include "objects/Factory.h"
#include "objects/GameObject.h"
#include "objects/Transform.h"
#include "particles/ParticleSystem.h"
#include "physics/Body.h"

namespace Framework {

namespace {

constexpr const char* kLevelExtension = ".json";
constexpr const char* kReplayExtension = ".replay.json";
// Nine significant digits bring every float back exact.
constexpr unsigned kFloatDigits = 9;
// A frame is written as [step, mouse x, mouse y, button, button event, [keys]].
enum FrameField : Json::ArrayIndex { kStep, kMouseX, kMouseY, kButton, kButtonEvent, kKeys, kFrameFields };

Json::Value FrameValue(const ReplayFrame& frame) {
  Json::Value value(Json::arrayValue);
  value.append(frame.Step);
  value.append(frame.Mouse.x);
  value.append(frame.Mouse.y);
  value.append(frame.Button);
  value.append(frame.ButtonEvent);
  Json::Value& keys = value.append(Json::Value(Json::arrayValue));
  for (std::uint16_t key : frame.Keys) keys.append(key);
  return value;
}

std::optional<ReplayFrame> ReadFrame(const Json::Value& value) {
  if (!value.isArray() || value.size() != kFrameFields || !value[kKeys].isArray()) return std::nullopt;
  for (Json::ArrayIndex field : {kStep, kMouseX, kMouseY, kButton, kButtonEvent}) {
    if (!value[field].isNumeric()) return std::nullopt;
  }
  ReplayFrame frame;
  frame.Step = value[kStep].asFloat();
  frame.Mouse = {value[kMouseX].asFloat(), value[kMouseY].asFloat()};
  frame.Button = static_cast<std::uint8_t>(value[kButton].asUInt());
  frame.ButtonEvent = value[kButtonEvent].asUInt();
  for (const Json::Value& key : value[kKeys]) {
    if (!key.isUInt() || key.asUInt() >= SDL_NUM_SCANCODES) return std::nullopt;
    frame.Keys.push_back(static_cast<std::uint16_t>(key.asUInt()));
  }
  return frame;
}

Json::Value Point(Vec2 point) {
  Json::Value value(Json::objectValue);
  value["X"] = point.x;
  value["Y"] = point.y;
  return value;
}

std::string Compact(const Json::Value& value) {
  Json::StreamWriterBuilder writer;
  writer["indentation"] = "";
  writer["precision"] = kFloatDigits;
  return Json::writeString(writer, value);
}

}  // namespace

std::filesystem::path Replay::FileFor(const std::filesystem::path& level) {
  std::filesystem::path file = level;
  return file.replace_extension().string() + kReplayExtension;
}

std::filesystem::path Replay::LevelFor(const std::filesystem::path& replay) {
  const std::string name = replay.string();
  const std::string extension = kReplayExtension;
  if (!name.ends_with(extension)) return replay;
  return name.substr(0, name.size() - extension.size()) + kLevelExtension;
}

void Replay::SeedGenerators(std::uint32_t seed) {
  Random::SetMasterSeed(seed);
  ParticleSystem::Instance().Reseed();
}

void Replay::PlacePlayer(Vec2 start) {
  GameObject* player = Factory::Instance().Player;
  if (player == nullptr) return;
  if (Transform* transform = player->GetComponent<Transform>()) transform->Position = start;
  if (Body* body = player->GetComponent<Body>()) {
    body->Position = start;
    body->Velocity = {0.0f, 0.0f};
  }
}

std::optional<Replay> Replay::Read(const std::string& file) {
  Json::Value root;
  if (!JsonFile::Read(file, root)) return std::nullopt;
  const Json::Value& start = root["Start"];
  if (!root["Seed"].isUInt() || !start["X"].isNumeric() || !start["Y"].isNumeric() || !root["Frames"].isArray()) {
    std::cout << "Replay " << file << ": not a replay (it needs a Seed, a Start and Frames)\n";
    return std::nullopt;
  }
  Replay replay;
  replay.Seed = root["Seed"].asUInt();
  replay.Start = {start["X"].asFloat(), start["Y"].asFloat()};
  const Json::Value& end = root["End"];
  if (end["X"].isNumeric() && end["Y"].isNumeric()) replay.End = Vec2{end["X"].asFloat(), end["Y"].asFloat()};
  for (Json::ArrayIndex i = 0; i < root["Frames"].size(); ++i) {
    std::optional<ReplayFrame> frame = ReadFrame(root["Frames"][i]);
    if (!frame) {
      std::cout << "Replay " << file << ": frame " << i << " is broken\n";
      return std::nullopt;
    }
    replay.Frames.push_back(std::move(*frame));
  }
  return replay;
}

bool Replay::Write(const std::string& file) const {
  // One frame a line: a long replay stays readable and diffs stay small.
  std::string text = "{\n\"Seed\": " + std::to_string(Seed) + ",\n\"Start\": " + Compact(Point(Start)) + ",\n";
  if (End) text += "\"End\": " + Compact(Point(*End)) + ",\n";
  text += "\"Frames\": [";
  for (std::size_t i = 0; i < Frames.size(); ++i) text += (i ? ",\n" : "\n") + Compact(FrameValue(Frames[i]));
  text += "\n]\n}\n";
  return JsonFile::WriteText(file, text, {});
}

double Replay::Duration() const {
  double seconds = 0.0;
  for (const ReplayFrame& frame : Frames) seconds += frame.Step;
  return seconds;
}

}  // namespace Framework
