// MenuNavigation: where an arrow key moves the keyboard highlight of a menu. The
// buttons of the arc menus mirror each other across the menu's vertical axis, so
// left and right jump to the mirror image and up and down walk along the arc
// towards or away from its top.
// Invariant: the result is always 0 (stay) or an index from 1 to the button count.
#pragma once

#include <cstdint>

namespace Framework {

enum class MenuDirection { Up, Down, Left, Right };

// The index the highlight moves to from `selected`, or 0 when it stays.
// `lastMoveWasLeft` decides which way Down leaves the top of an arc.
std::int32_t NavigationTarget(std::int32_t menuId, std::int32_t count, std::int32_t selected,
                              MenuDirection direction, bool lastMoveWasLeft);

}  // namespace Framework
