// The component rows of the game: every component the level format and the
// Factory's commands know, with its field list. This is where a new component
// gets its one row (see levels/ComponentTable.h for what a row means).
#pragma once

namespace Framework {

// Hands the component rows to the level table and the Factory.
void RegisterComponentRows();

}  // namespace Framework
