// EditorPanel: a column of text lines on one edge of the editor's view, the form
// the palette and the property panel take. Its measures follow the view's height,
// so it keeps its size on screen whatever the zoom; it is only as tall as its lines
// need (down to the bottom of the view), scrolls when they do not fit, and tells
// which line lies under a point of the world.
// Invariant: the first line shown is never past the last screenful, however the
// number of lines changes between frames.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "engine/Events.h"
#include "engine/Vec2.h"

namespace Framework {

class Camera;
class Graphics;

class EditorPanel {
 public:
  enum class Edge { Left, Right };
  // One colour at each of a quad's four corners, as the editor's immediate quads take it.
  using QuadColour = std::array<float, 16>;
  static constexpr QuadColour Solid(float r, float g, float b, float a) {
    return {r, g, b, a, r, g, b, a, r, g, b, a, r, g, b, a};
  }
  struct Line {
    std::string Text;
    Color3 Colour{1.0f, 1.0f, 1.0f};
    // Drawn on a lighter band: the chosen entry, the field being edited.
    bool Marked = false;
  };
  struct Area {
    Vec2 Min;
    Vec2 Max;
  };

  EditorPanel(Edge edge, std::size_t letters) : edge_(edge), letters_(letters) {}

  // Where the panel lies in the world under this view, holding `lines` lines.
  Area AreaFor(const Camera& view, std::size_t lines) const;
  bool Covers(const Camera& view, std::size_t lines, Vec2 world) const;
  // The line under the point; none off the panel or between lines.
  std::optional<std::size_t> LineAt(const Camera& view, std::size_t lines, Vec2 world) const;
  // Wheel notches over the panel: up shows earlier lines.
  void Scroll(const Camera& view, std::size_t lines, float notches);
  // The edge can change between frames (the property panel makes way for what it shows).
  void SetEdge(Edge edge) { edge_ = edge; }
  // Letters a line shows; longer text is cut.
  std::size_t Letters() const { return letters_; }
  void Draw(Graphics& graphics, const std::vector<Line>& lines) const;

 private:
  std::size_t Visible(const Camera& view, std::size_t lines) const;
  std::size_t First(const Camera& view, std::size_t lines) const;

  Edge edge_;
  std::size_t letters_;
  std::size_t first_ = 0;
};

}  // namespace Framework
