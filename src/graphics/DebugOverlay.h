// DebugOverlay: what the debug switch (F2) shows over the world: for each object
// with a Body, its acceleration (green), velocity (red), orientation (black) and
// outline (blue); and the frame rate in the lower left corner of the view.
// Invariant: the outline is drawn last, which leaves the unit quad in the
// renderer's quad buffer again, as the instanced draw expects.
#pragma once

#include <cstdint>

#include "graphics/Mat4.h"

namespace Framework {

class Body;
class Graphics;

class DebugOverlay {
 public:
  // Lines and outline of one body, with its object's full transform `model`.
  static void DrawBody(Graphics& graphics, const Body& body, const Mat4& model);
  static void DrawFrameRate(Graphics& graphics, std::int32_t fps);
};

}  // namespace Framework
