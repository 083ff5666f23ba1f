#include "editor/EditorPanel.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "graphics/AssetStore.h"
#include "graphics/Camera.h"
#include "graphics/Graphics.h"

namespace Framework {

namespace {

// A letter is this share of the view's height: about fifty lines fill the view.
constexpr float kLettersPerView = 95.0f;
// Lines lie this many letters apart, and the panel keeps this many letters clear around them.
constexpr float kLineGap = 1.9f;
constexpr float kPadding = 1.0f;
// The baseline sits this many letters above the bottom of its line.
constexpr float kBaseline = 0.55f;
// The top of the view is left to the editor's status line.
constexpr float kStatusShare = 0.08f;
// Lines scrolled by one wheel notch.
constexpr float kLinesPerNotch = 3.0f;
// In front of every mark the editor draws in the world.
constexpr float kPanelZ = 0.0f;

using Colour = EditorPanel::QuadColour;

const Colour kBackground = EditorPanel::Solid(0.05f, 0.06f, 0.1f, 0.85f);
const Colour kMarkedBand = EditorPanel::Solid(0.3f, 0.35f, 0.55f, 0.9f);

float LetterOf(const Camera& view) { return view.ViewHalfHeight / kLettersPerView; }

void FillBox(Graphics& graphics, Vec2 min, Vec2 max, const Colour& colour) {
  const Vec2 centre = (min + max) * 0.5f;
  const Mat4 model = graphics.ModelMatrix({centre.x, centre.y, kPanelZ}, {max.x - min.x, max.y - min.y, 1.0f}, 0.0f);
  graphics.DrawImmediate(model, Graphics::UnitQuad, colour.data(), Graphics::ImmediateQuad);
  glDrawArrays(GL_TRIANGLE_FAN, 0, 4);
}

}  // namespace

EditorPanel::Area EditorPanel::AreaFor(const Camera& view, std::size_t lines) const {
  // The view's extents are its full width and height.
  const float letter = LetterOf(view);
  const float width = letter * (static_cast<float>(letters_) + 2.0f * kPadding);
  const float left = edge_ == Edge::Left ? view.Position.x - view.ViewHalfWidth * 0.5f
                                         : view.Position.x + view.ViewHalfWidth * 0.5f - width;
  const float bottom = view.Position.y - view.ViewHalfHeight * 0.5f;
  const float top = view.Position.y + view.ViewHalfHeight * (0.5f - kStatusShare);
  const float tall = letter * (kLineGap * static_cast<float>(lines) + 2.0f * kPadding);
  return {{left, std::max(bottom, top - tall)}, {left + width, top}};
}

bool EditorPanel::Covers(const Camera& view, std::size_t lines, Vec2 world) const {
  const Area area = AreaFor(view, lines);
  return world.x >= area.Min.x && world.x <= area.Max.x && world.y >= area.Min.y && world.y <= area.Max.y;
}

std::size_t EditorPanel::Visible(const Camera& view, std::size_t lines) const {
  const Area area = AreaFor(view, lines);
  const float letter = LetterOf(view);
  const float room = (area.Max.y - area.Min.y) / letter - 2.0f * kPadding;
  return std::min(lines, static_cast<std::size_t>(std::max(0.0f, std::floor(room / kLineGap))));
}

std::size_t EditorPanel::First(const Camera& view, std::size_t lines) const {
  return std::min(first_, lines - Visible(view, lines));
}

std::optional<std::size_t> EditorPanel::LineAt(const Camera& view, std::size_t lines, Vec2 world) const {
  if (!Covers(view, lines, world)) return std::nullopt;
  const float letter = LetterOf(view);
  const float below = (AreaFor(view, lines).Max.y - world.y) / letter - kPadding;
  if (below < 0.0f) return std::nullopt;
  const auto row = static_cast<std::size_t>(below / kLineGap);
  if (row >= Visible(view, lines)) return std::nullopt;
  return First(view, lines) + row;
}

void EditorPanel::Scroll(const Camera& view, std::size_t lines, float notches) {
  const float moved = static_cast<float>(First(view, lines)) - notches * kLinesPerNotch;
  first_ = static_cast<std::size_t>(std::max(0.0f, moved));
  first_ = First(view, lines);
}

void EditorPanel::Draw(Graphics& graphics, const std::vector<Line>& lines) const {
  const Camera& view = graphics.Camera;
  const Area area = AreaFor(view, lines.size());
  const float letter = LetterOf(view);
  const std::size_t first = First(view, lines.size());
  const std::size_t shown = Visible(view, lines.size());
  auto lineTop = [&](std::size_t row) { return area.Max.y - letter * (kPadding + kLineGap * static_cast<float>(row)); };

  AssetStore::UseProgram(AssetStore::Instance().Program("Basic"));
  FillBox(graphics, area.Min, area.Max, kBackground);
  for (std::size_t row = 0; row < shown; ++row) {
    if (!lines[first + row].Marked) continue;
    const float top = lineTop(row);
    FillBox(graphics, {area.Min.x, top - letter * kLineGap}, {area.Max.x, top}, kMarkedBand);
  }
  glBindVertexArray(0);

  // The font's size for a letter of this width (the font is monospaced).
  const float size = letter / graphics.Text.TextWidth(u"M", 1.0f);
  for (std::size_t row = 0; row < shown; ++row) {
    const Line& line = lines[first + row];
    const std::string cut = line.Text.substr(0, letters_);
    graphics.Text.RenderShownText(std::u16string(cut.begin(), cut.end()), area.Min.x + letter * kPadding,
                                  lineTop(row + 1) + letter * kBaseline, size, line.Colour, TextLook::Plain);
  }
}

}  // namespace Framework
