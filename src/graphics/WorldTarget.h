// WorldTarget: the offscreen picture the world is drawn into at the art's own
// resolution, then scaled up onto the window by a whole factor with nearest
// filtering. Every art pixel already covers a block of about three screen pixels at
// 1080 rows, so the scaled picture looks the same, while a software renderer shades
// a ninth of the pixels. Text, menus and the cursor are drawn afterwards, at the
// window's own resolution.
// Invariants: for the window size it was last laid out for, Width * Factor covers the
// window's width and Height * Factor its height, with the overhang split evenly on
// both sides, and ScaleX / ScaleY shrink the world's projection so that every world
// point lands on the same window pixel as it would without the target; the GL
// objects exist exactly while a context is current and match Width x Height.
#pragma once

#include <GL/glew.h>

namespace Framework {

class WorldTarget {
 public:
  // Rows of art in a full-screen picture: at 1080 window rows one art pixel is three.
  static constexpr int ArtRows = 360;

  struct Layout {
    int Factor = 1;          // window pixels per target pixel, each way
    int Width = 0;           // target size in pixels
    int Height = 0;
    int OffsetX = 0;         // where the scaled picture's lower left corner falls (<= 0)
    int OffsetY = 0;
    float ScaleX = 1.0f;     // window size over the scaled picture's size (<= 1)
    float ScaleY = 1.0f;
    bool operator==(const Layout&) const = default;
  };

  // The layout for a window of `width` x `height` pixels (both at least 1).
  static Layout LayoutFor(int width, int height);

  WorldTarget() = default;
  WorldTarget(const WorldTarget&) = delete;
  WorldTarget& operator=(const WorldTarget&) = delete;
  ~WorldTarget() = default;  // the GL objects go with the context; Destroy frees them earlier

  // Makes the target fit a window of that size (re-made when it changed), binds it
  // and sets its viewport; false (nothing bound) when the target cannot be made, and
  // the world is then drawn straight onto the window.
  bool Begin(int windowWidth, int windowHeight);
  // Scales the target onto the window's framebuffer, binds that again and restores
  // the window's viewport.
  void Present(int windowWidth, int windowHeight) const;
  void Destroy();
  const Layout& Current() const { return layout_; }

 private:
  bool Make(const Layout& layout);

  GLuint framebuffer_ = 0;
  GLuint colour_ = 0;
  GLuint depth_ = 0;
  Layout layout_{};
  bool failed_ = false;  // said once; the window is drawn on directly from then on
};

}  // namespace Framework
