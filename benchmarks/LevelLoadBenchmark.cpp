// Time to load a level of N objects (each with a Transform and a Body) and to
// save it again, through the same Serialization path the game uses.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "game/Startup.h"
#include "levels/Serialization.h"
#include "objects/Factory.h"

namespace {

std::string LevelText(int objects) {
  std::string text = "{\"Physics\": {\"Gravity\": -10}, \"Factory\": {\"Game_Objects\": [";
  for (int i = 0; i < objects; ++i) {
    if (i) text += ",";
    text += "{\"Transform\": {\"Position\": {\"X\": " + std::to_string(i) +
            ", \"Y\": 1}, \"Scale\": {\"X\": 2, \"Y\": 1}}, \"Body\": {\"IsStatic\": true, \"IsCollidable\": true}}";
  }
  return text + "]}}";
}

std::string TempFile(const char* name) {
  return (std::filesystem::temp_directory_path() / name).string();
}

void BM_LoadLevel(benchmark::State& state) {
  const std::string path = TempFile("tumbrix-bench-level.json");
  std::ofstream(path) << LevelText(static_cast<int>(state.range(0)));
  Framework::RegisterGame();
  Framework::Factory::Instance().Initialize();
  std::cout.setstate(std::ios::failbit);  // keep "Game loaded" out of the figures
  for (auto _ : state) Framework::Serialization::Instance().Load(path);
  std::cout.clear();
  state.SetItemsProcessed(state.iterations() * state.range(0));
  std::filesystem::remove(path);
}
BENCHMARK(BM_LoadLevel)->Arg(100)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_SaveLevel(benchmark::State& state) {
  const std::string path = TempFile("tumbrix-bench-level.json");
  const std::string save = TempFile("tumbrix-bench-save.json");
  std::ofstream(path) << LevelText(static_cast<int>(state.range(0)));
  Framework::RegisterGame();
  Framework::Factory::Instance().Initialize();
  std::cout.setstate(std::ios::failbit);
  Framework::Serialization::Instance().Load(path);
  for (auto _ : state) Framework::Serialization::Instance().Save(save);
  std::cout.clear();
  state.SetItemsProcessed(state.iterations() * state.range(0));
  std::filesystem::remove(path);
  std::filesystem::remove(save);
}
BENCHMARK(BM_SaveLevel)->Arg(100)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
