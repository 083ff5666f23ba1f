// The level files the game ships, checked against the rules every world keeps:
// pictures at their texture's own aspect, no hole a player can fall through for
// ever, walls at both ends taller than any jump, one player and one exit per
// play level, scenery that stands on ground or far away with its foot hidden,
// clouds clear of the ground, a warning before every hazard, and start-up
// screens that fill every window shape we support.
#include <gtest/gtest.h>
#include <json/json.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "levels/LevelSlots.h"

namespace Framework {
namespace {

struct Piece {
  float x = 0, y = 0, w = 0, h = 0, z = 0;
  std::string texture;
  float alpha = 0;
  bool sprite = false, body = false, ghost = false, hazard = false, exit = false, player = false;
  bool fixed = false;      // a static body that stays where the file puts it
  float sweepLeft = 0;     // a moving hazard: the left end of its path
  // Ground to stand on: fixed, solid, harmless.
  bool Floor() const { return body && fixed && !ghost && !hazard; }
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
    p.z = t["ZLayer"].asFloat();
    p.sprite = e.isMember("Sprite");
    p.texture = e["Sprite"]["Filename"].asString();
    p.alpha = e["Sprite"]["Alfa"].asFloat();
    p.body = e.isMember("Body");
    p.ghost = e["Body"]["IsGhost"].asBool();
    p.hazard = e.isMember("StaticHazardScript") || e.isMember("DynamicHazardScript");
    p.exit = e.isMember("WinTriggerScript");
    p.player = e.isMember("Player_Controller");
    p.fixed = e["Body"]["IsStatic"].asBool() && !e.isMember("MovingPlatformScript");
    p.sweepLeft = e.isMember("DynamicHazardScript") ? e["DynamicHazardScript"]["Min"]["X"].asFloat() - p.w / 2
                                                    : p.Left();
    pieces.push_back(p);
  }
  return pieces;
}

// Width over height of a shipped texture, from its PNG header.
double TextureAspect(const std::string& name) {
  std::ifstream png(GameDir() / "textures" / (name + ".png"), std::ios::binary);
  unsigned char header[24] = {};
  png.read(reinterpret_cast<char*>(header), sizeof header);
  auto word = [&](int at) {
    return (header[at] << 24) | (header[at + 1] << 16) | (header[at + 2] << 8) | header[at + 3];
  };
  return png ? static_cast<double>(word(16)) / word(20) : 0.0;
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
// Window shapes from 4:3 to 21:9; the view is always 32 units high.
const std::vector<double> kAspects = {4.0 / 3.0, 16.0 / 10.0, 16.0 / 9.0, 21.0 / 9.0};
// How high a bomb-boosted jump lifts the player (docs/level-design.md), with room to spare.
constexpr float kHighestJump = 30.0f;

TEST(ShippedLevelsTest, TexturesKeepTheirOwnAspect) {
  std::vector<int> slots = kScreens;
  slots.insert(slots.end(), kPlayLevels.begin(), kPlayLevels.end());
  for (int slot : slots) {
    for (const Piece& p : ReadLevel(slot)) {
      if (p.texture.empty() || p.w <= 0 || p.h <= 0) continue;
      const double natural = TextureAspect(p.texture);
      ASSERT_GT(natural, 0.0) << "slot " << slot << " names a texture the game lacks: " << p.texture;
      EXPECT_NEAR(p.w / p.h / natural, 1.0, 0.01)
          << "slot " << slot << ": " << p.texture << " stretched to " << p.w << " x " << p.h << " at " << p.x;
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

// Issue: bushes hung in pits, trunks ended in mid-air, hills stood over pits as
// if they were ground, and the flat foot of a backdrop showed sky below it.
TEST(ShippedLevelsTest, SceneryStandsOnGroundOrFarAwayWithItsFootHidden) {
  // What stands on the ground, and how much of its width must rest on it.
  const std::vector<std::pair<std::string, float>> standing = {
      {"tree", 1.0f / 3}, {"pine", 1.0f / 3}, {"lantern", 1.0f / 3}, {"signpost", 1.0f / 3}, {"warning", 1.0f / 3},
      {"bush", 0.9f},     {"grass", 0.5f},    {"exit", 0.9f},        {"hill", 0.9f}};
  // The deepest a picture's foot sinks into the ground it stands on.
  constexpr float kSink = 1.2f;
  constexpr float kHover = 0.3f;
  for (int slot : kPlayLevels) {
    const std::vector<Piece> pieces = ReadLevel(slot);
    for (const Piece& p : pieces) {
      const auto stand =
          std::find_if(standing.begin(), standing.end(), [&](const auto& s) { return s.first == p.texture; });
      if (stand != standing.end()) {
        const float half = p.w * stand->second / 2;
        for (float x = p.x - half; x <= p.x + half; x += 0.25f) {
          const bool onGround = std::any_of(pieces.begin(), pieces.end(), [&](const Piece& g) {
            return g.Floor() && g.Left() <= x && x <= g.Right() && g.Top() >= p.Bottom() - kHover &&
                   g.Top() <= p.Bottom() + kSink;
          });
          ASSERT_TRUE(onGround) << "slot " << slot << ": " << p.texture << " at " << p.x << " floats at x = " << x;
        }
      } else if (p.texture == "hill-far" || p.texture == "hill-pale") {
        for (float x = p.Left(); x <= p.Right(); x += 0.25f) {
          const float y = p.Bottom() + 0.05f;
          const bool hidden = std::any_of(pieces.begin(), pieces.end(), [&](const Piece& c) {
            return c.sprite && c.alpha > 0 && c.z < p.z && c.Left() <= x && x <= c.Right() && c.Bottom() <= y &&
                   y <= c.Top();
          });
          ASSERT_TRUE(hidden) << "slot " << slot << ": the foot of the distant hill at " << p.x
                              << " shows at x = " << x;
        }
      }
    }
  }
}

// Issue: a cloud stood on the ground behind level 3's exit. Clouds drift slowly
// for as long as a level lasts; they start well above the ground near them.
TEST(ShippedLevelsTest, CloudsFloatClearOfTheGround) {
  constexpr float kNear = 30.0f, kClearance = 8.0f;
  for (int slot : kPlayLevels) {
    const std::vector<Piece> pieces = ReadLevel(slot);
    float wallTop = -1e9f;
    for (const Piece& p : pieces) if (p.Floor()) wallTop = std::max(wallTop, p.Top());
    for (const Piece& cloud : pieces) {
      if (cloud.texture != "cloud") continue;
      for (const Piece& g : pieces) {
        // The end walls rise above everything; the ground is what lies below them.
        if (!g.Floor() || g.Top() >= wallTop || g.Right() < cloud.x - kNear || g.Left() > cloud.x + kNear) continue;
        EXPECT_GT(cloud.Bottom(), g.Top() + kClearance) << "slot " << slot << ": the cloud at " << cloud.x;
      }
    }
  }
}

// The camera trails a running player and shows little ahead, so every hazard
// has a warning post (or a sign) a few steps before where it starts.
TEST(ShippedLevelsTest, AWarningStandsBeforeEveryHazard) {
  constexpr float kNearest = 1.0f, kFarthest = 26.0f;
  for (int slot : kPlayLevels) {
    const std::vector<Piece> pieces = ReadLevel(slot);
    for (const Piece& hazard : pieces) {
      if (!hazard.hazard) continue;
      const bool announced = std::any_of(pieces.begin(), pieces.end(), [&](const Piece& sign) {
        return (sign.texture == "warning" || sign.texture == "signpost") && sign.x <= hazard.sweepLeft - kNearest &&
               sign.x >= hazard.sweepLeft - kFarthest;
      });
      EXPECT_TRUE(announced) << "slot " << slot << ": nothing warns of the hazard starting at " << hazard.sweepLeft;
    }
  }
}

// The bottom edge of the view (where only the sky showed beside a 16:9 picture)
// is covered by drawn pieces at every window shape.
TEST(ShippedLevelsTest, ScreensFillEveryWindowShape) {
  for (int slot : kScreens) {
    const std::vector<Piece> pieces = ReadLevel(slot);
    for (double aspect : kAspects) {
      const float halfWidth = static_cast<float>(16.0 * aspect);
      // The main-menu world is also seen one view to the left and right.
      std::vector<float> centres = {0.0f};
      if (slot == static_cast<int>(LevelSlot::MainMenu)) centres = {-2 * halfWidth, 0.0f, 2 * halfWidth};
      for (float cx : centres) {
        for (float x = cx - halfWidth + 0.1f; x < cx + halfWidth; x += 0.5f) {
          const float y = -15.9f;
          const bool covered = std::any_of(pieces.begin(), pieces.end(), [&](const Piece& p) {
            return p.sprite && p.alpha > 0 && p.Left() <= x && x <= p.Right() && p.Bottom() <= y && y <= p.Top();
          });
          ASSERT_TRUE(covered) << "slot " << slot << " at aspect " << aspect << ": sky shows at x = " << x;
        }
      }
    }
  }
}

}  // namespace
}  // namespace Framework
