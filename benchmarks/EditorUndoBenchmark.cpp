// Time for the editor to undo and redo a step on the largest shipped level: a
// move of one object, and a move of every object. An undo costs the objects the
// step touched, so the first must stay far below a frame whatever the level's size.
// Run from build/game:  ../benchmarks/EditorUndoBenchmark
#include <benchmark/benchmark.h>

#include <iostream>

#include "editor/EditorDocument.h"
#include "support/Scenario.h"

namespace {

// The slot of the shipped level with the most objects: level 8, the fortress (726).
constexpr int kLargestLevel = 17;

void UndoRedo(benchmark::State& state, bool everything) {
  Framework::Scenario scenario;
  scenario.UseShippedLevels();
  std::cout.setstate(std::ios::failbit);  // keep the load's lines out of the figures
  scenario.LoadSlot(kLargestLevel);
  std::cout.clear();
  Framework::EditorDocument document;
  document.Open();
  if (everything) {
    document.Select(document.Order());
  } else {
    document.Select({document.Order()[1]});
  }
  document.Move({1.0f, 0.0f}, false);
  for (auto _ : state) {
    document.Undo();
    document.Redo();
  }
  state.counters["objects"] = static_cast<double>(document.Order().size());
  state.counters["touched"] = static_cast<double>(document.Selection().size());
}

void BM_UndoRedoMoveOfOne(benchmark::State& state) { UndoRedo(state, false); }
void BM_UndoRedoMoveOfAll(benchmark::State& state) { UndoRedo(state, true); }
BENCHMARK(BM_UndoRedoMoveOfOne)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_UndoRedoMoveOfAll)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
