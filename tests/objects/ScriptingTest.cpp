// The script pass: creation order, pausing, scripts created or destroyed mid-pass.
#include "objects/Scripting.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "objects/Script.h"

namespace Framework {
namespace {

class ProbeScript : public Script {
 public:
  ProbeScript(int id, std::vector<std::pair<int, float>>* log) : Script("Probe"), id_(id), log_(log) {}
  void Update(float dt) override {
    log_->push_back({id_, dt});
    if (hook) hook();
  }
  std::function<void()> hook;

 private:
  int id_;
  std::vector<std::pair<int, float>>* log_;
};

class ScriptingTest : public ::testing::Test {
 protected:
  std::unique_ptr<ProbeScript> Make(int id) { return std::make_unique<ProbeScript>(id, &log); }
  std::vector<int> Ids() const {
    std::vector<int> ids;
    for (auto& [id, dt] : log) ids.push_back(id);
    return ids;
  }
  Scripting& scripting = Scripting::Instance();
  std::vector<std::pair<int, float>> log;
};

TEST_F(ScriptingTest, ScriptsRunInCreationOrderKeepItAfterARemovalAndPausedRunNone) {
  auto a = Make(1), b = Make(2), c = Make(3);
  scripting.Update(0.016f, false);
  EXPECT_EQ(Ids(), (std::vector<int>{1, 2, 3}));
  b.reset();
  log.clear();
  scripting.Update(0.016f, false);
  EXPECT_EQ(Ids(), (std::vector<int>{1, 3}));
  EXPECT_EQ(scripting.Count(), 2u);

  // Paused runs nothing whatever the step; step zero still calls every script.
  log.clear();
  scripting.Update(0.025f, true);
  scripting.Update(0.0f, true);
  EXPECT_TRUE(log.empty());
  scripting.Update(0.0f, false);
  EXPECT_EQ(log, (std::vector<std::pair<int, float>>{{1, 0.0f}, {3, 0.0f}}));
}

TEST_F(ScriptingTest, ScriptCreatedDuringThePassWaitsForTheNextFrame) {
  auto a = Make(1);
  std::vector<std::unique_ptr<ProbeScript>> spawned;
  a->hook = [&] {
    // Enough new scripts to make the list reallocate under the pass.
    for (int i = 0; i < 64; ++i) spawned.push_back(Make(100 + i));
    a->hook = nullptr;
  };
  auto b = Make(2);
  scripting.Update(0.01f, false);
  EXPECT_EQ(Ids(), (std::vector<int>{1, 2}));
  log.clear();
  scripting.Update(0.01f, false);
  EXPECT_EQ(log.size(), 66u);
}

TEST_F(ScriptingTest, ScriptDestroyedDuringThePassIsNotCalledAndNoneIsSkipped) {
  auto a = Make(1), b = Make(2), c = Make(3), d = Make(4);
  b->hook = [&] {
    a.reset();  // earlier in the list
    c.reset();  // later in the list
  };
  scripting.Update(0.01f, false);
  EXPECT_EQ(Ids(), (std::vector<int>{1, 2, 4}));
  log.clear();
  b->hook = nullptr;
  scripting.Update(0.01f, false);
  EXPECT_EQ(Ids(), (std::vector<int>{2, 4}));
}

}  // namespace
}  // namespace Framework
