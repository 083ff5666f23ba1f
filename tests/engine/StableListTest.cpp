// Walking a list while the handlers it calls change it.
#include "engine/StableList.h"

#include <gtest/gtest.h>

#include <vector>

namespace Framework {
namespace {

TEST(StableListTest, RemovalsInNestedPassesAreSkippedAndCompactedOnlyWhenTheOuterPassEnds) {
  int a = 1, b = 2, c = 3, d = 4;
  StableList<int> list;
  for (int* item : {&a, &b, &c}) list.Add(item);
  std::vector<int> outer, inner;
  list.ForEach([&](int* item) {
    outer.push_back(*item);
    if (item != &a) return;
    list.ForEach([&](int* nested) {
      inner.push_back(*nested);
      if (nested == &a) list.Remove(&b);
    });
    list.Add(&d);
    // The inner pass has ended but the outer one still walks by position.
    EXPECT_EQ(list.Items().size(), 4u);
    EXPECT_EQ(list.Count(), 3u);
  });
  EXPECT_EQ(inner, (std::vector<int>{1, 3}));
  EXPECT_EQ(outer, (std::vector<int>{1, 3, 4}));
  EXPECT_EQ(list.Items(), (std::vector<int*>{&a, &c, &d}));
}

TEST(StableListTest, APassLimitedToExistingEntriesLeavesAdditionsForTheNext) {
  int a = 1, b = 2;
  StableList<int> list;
  list.Add(&a);
  std::vector<int> seen;
  list.ForEach(
      [&](int* item) {
        seen.push_back(*item);
        list.Add(&b);
      },
      PassReach::ExistingOnly);
  EXPECT_EQ(seen, (std::vector<int>{1}));
  EXPECT_EQ(list.Count(), 2u);
}

}  // namespace
}  // namespace Framework
