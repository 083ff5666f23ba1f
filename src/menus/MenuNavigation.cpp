#include "menus/MenuNavigation.h"

#include "menus/Menu.h"

namespace Framework {
namespace {

// The confirmation's buttons stand in a row: left and right wrap around.
std::int32_t RowTarget(std::int32_t n, std::int32_t s, MenuDirection direction) {
  switch (direction) {
    case MenuDirection::Right: return s < n ? s + 1 : 1;
    case MenuDirection::Left: return s > 1 ? s - 1 : n;
    default: return 0;
  }
}

// Level select: a half circle whose index i and n - i are mirror images, with the
// top at h = n / 2 and the last button alone on the left end of the horizontal.
std::int32_t HalfCircleTarget(std::int32_t n, std::int32_t s, MenuDirection direction, bool lastLeft) {
  const std::int32_t h = n / 2;
  switch (direction) {
    case MenuDirection::Up:
      if (s < h) return s + 1;
      if (s > h) return s - 1;
      return 0;
    case MenuDirection::Down:
      if (s == 1 || s == n) return 0;
      if (s == h) return lastLeft ? h + 1 : h - 1;
      return s < h ? s - 1 : s + 1;
    case MenuDirection::Left:
      if (s == h) return h + 1;
      if (s < h) return n - s;
      return 0;
    case MenuDirection::Right:
      if (s == h) return h - 1;
      if (s > h && s < n) return n - s;
      return 0;
  }
  return 0;
}

// Main, pause and options menus: an arc whose index i and n + 1 - i are mirror
// images. With an even count two buttons share the top (h and h + 1); with an odd
// count button m stands alone at the top.
std::int32_t ArcTarget(std::int32_t n, std::int32_t s, MenuDirection direction, bool lastLeft) {
  const std::int32_t h = n / 2;
  const std::int32_t m = (n + 1) / 2;
  const bool even = n % 2 == 0;
  const std::int32_t top = even ? h : m;
  // Indices up to the top stand on the right half.
  const bool rightHalf = even ? s <= h : s < m;
  switch (direction) {
    case MenuDirection::Up:
      if (even) {
        if (s == h || s == h + 1) return 0;
        return s < h ? s + 1 : s - 1;
      }
      if (s == m) return 0;
      return s < m ? s + 1 : s - 1;
    case MenuDirection::Down:
      if (s == 1 || s == n) return 0;
      if (s == top) return lastLeft ? s + 1 : s - 1;
      return rightHalf ? s - 1 : s + 1;
    case MenuDirection::Left:
      if (even) return s <= h ? n + 1 - s : 0;
      if (s == m) return m + 1;
      return s < m ? n + 1 - s : 0;
    case MenuDirection::Right:
      if (even) return s > h ? n + 1 - s : 0;
      if (s == m) return m - 1;
      return s > m ? n + 1 - s : 0;
  }
  return 0;
}

}  // namespace

std::int32_t NavigationTarget(std::int32_t menuId, std::int32_t count, std::int32_t selected,
                              MenuDirection direction, bool lastMoveWasLeft) {
  if (count <= 0 || selected < 1 || selected > count) return 0;
  std::int32_t target = 0;
  switch (menuId) {
    case MenuId::Confirm: target = RowTarget(count, selected, direction); break;
    case MenuId::HowToPlay: target = 0; break;
    case MenuId::LevelSelect: target = HalfCircleTarget(count, selected, direction, lastMoveWasLeft); break;
    default: target = ArcTarget(count, selected, direction, lastMoveWasLeft); break;
  }
  return target >= 1 && target <= count ? target : 0;
}

}  // namespace Framework
