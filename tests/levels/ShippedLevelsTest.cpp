// The level files the game ships, checked against the rules that keep a world
// playable: every picture names a texture the game has, one player and one exit
// per play level, no hole a player can fall through for ever, and walls at both
// ends taller than any jump. (That each level can be won, the replays show.)
#include <gtest/gtest.h>
#include <json/json.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "levels/LevelSlots.h"

namespace Framework {
namespace {

struct Piece {
  float x = 0, y = 0, w = 0, h = 0;
  std::string texture;
  bool body = false, ghost = false, exit = false, player = false;
  float Left() const { return x - w / 2; }
  float Right() const { return x + w / 2; }
  float Top() const { return y + h / 2; }
  float Bottom() const { return y - h / 2; }
};

std::filesystem::path GameDir() { return TUMBRIX_GAME_DIR; }

std::vector<Piece> ReadLevel(int slot) {
  std::ifstream in(GameDir() / "saves" / ("Save" + std::to_string(slot) + ".json"));
  Json::Value root;
  std::string errors;
  EXPECT_TRUE(in && Json::parseFromStream(Json::CharReaderBuilder(), in, &root, &errors))
      << "slot " << slot << ": " << errors;
  std::vector<Piece> pieces;
  for (const Json::Value& e : root["Factory"]["Game_Objects"]) {
    const Json::Value& t = e["Transform"];
    Piece p;
    p.x = t["Position"]["X"].asFloat(), p.y = t["Position"]["Y"].asFloat();
    p.w = t["Scale"]["X"].asFloat(), p.h = t["Scale"]["Y"].asFloat();
    p.texture = e["Sprite"]["Filename"].asString();
    p.body = e.isMember("Body");
    p.ghost = e["Body"]["IsGhost"].asBool();
    p.exit = e.isMember("WinTriggerScript");
    p.player = e.isMember("Player_Controller");
    pieces.push_back(p);
  }
  return pieces;
}

const std::vector<int> kScreens = {LevelSlot::FirstSplash, LevelSlot::SecondSplash, LevelSlot::MainMenu,
                                   LevelSlot::Credits};
// The eight numbered levels and the finale.
std::vector<int> GameLevels() {
  std::vector<int> slots;
  for (int slot = LevelSlot::FirstPlay; slot <= LevelSlot::Finale; ++slot) slots.push_back(slot);
  return slots;
}
const std::vector<int> kPlayLevels = GameLevels();
// How high a bomb-boosted jump lifts the player (docs/level-design.md), with room to spare.
constexpr float kHighestJump = 30.0f;

TEST(ShippedLevelsTest, EveryPictureNamesATextureTheGameHas) {
  std::vector<int> slots = kScreens;
  slots.insert(slots.end(), kPlayLevels.begin(), kPlayLevels.end());
  for (int slot : slots) {
    for (const Piece& p : ReadLevel(slot)) {
      EXPECT_TRUE(p.texture.empty() || std::filesystem::is_regular_file(GameDir() / "textures" / (p.texture + ".png")))
          << "slot " << slot << " names a texture the game lacks: " << p.texture;
    }
  }
}

TEST(ShippedLevelsTest, PlayLevelsHoldThePlayerInAndEndInAnExit) {
  for (int slot : kPlayLevels) {
    const std::vector<Piece> pieces = ReadLevel(slot);
    const auto count = [&](bool Piece::*flag) {
      return std::count_if(pieces.begin(), pieces.end(), [&](const Piece& p) { return p.*flag; });
    };
    ASSERT_EQ(count(&Piece::player), 1) << "slot " << slot;
    ASSERT_EQ(count(&Piece::exit), 1) << "slot " << slot;
    const Piece& player = *std::find_if(pieces.begin(), pieces.end(), [](const Piece& p) { return p.player; });
    // The fireflies gather around the origin; the player starts among them.
    EXPECT_TRUE(player.x >= -10 && player.x < 30 && player.y >= -10 && player.y < 30) << "slot " << slot;

    // Solid ground (or a hazard resting on it) under every point between the
    // end walls, and end walls no jump gets over.
    float lowestTop = 1e9f, highestTop = -1e9f, left = -1e9f, right = 1e9f;
    std::vector<const Piece*> solids;
    for (const Piece& p : pieces) {
      if (!p.body || p.ghost || p.player || p.w <= 0) continue;
      solids.push_back(&p);
      highestTop = std::max(highestTop, p.Top());
    }
    for (const Piece* p : solids) {
      if (p->Right() <= player.x && p->Top() >= highestTop) left = std::max(left, p->Right());
      if (p->Left() >= player.x && p->Top() >= highestTop) right = std::min(right, p->Left());
    }
    ASSERT_GT(left, -1e9f) << "slot " << slot << " has no wall on the left taller than its ground";
    ASSERT_LT(right, 1e9f) << "slot " << slot << " has no wall on the right taller than its ground";
    float groundTop = -1e9f;
    for (float x = left + 0.25f; x < right; x += 0.5f) {
      float top = -1e9f;
      for (const Piece* p : solids) {
        if (p->Left() <= x && x <= p->Right() && p->Bottom() < -20) top = std::max(top, p->Top());
      }
      ASSERT_GT(top, -1e9f) << "slot " << slot << ": a bottomless drop at x = " << x;
      lowestTop = std::min(lowestTop, top);
      groundTop = std::max(groundTop, top);
    }
    EXPECT_GT(highestTop - groundTop, kHighestJump) << "slot " << slot << ": the end walls can be jumped";
    EXPECT_GT(lowestTop, -20.0f) << "slot " << slot;
  }
}

}  // namespace
}  // namespace Framework
