// The editor's marks as drawn over the world: the selected object outlined with a
// handle at each corner, and the status line across the top of the view.
#include <SDL.h>
#include <gtest/gtest.h>

#include "editor/EditorSession.h"
#include "graphics/Graphics.h"
#include "levels/LevelSlots.h"
#include "levels/Serialization.h"
#include "support/GlFixture.h"

namespace Framework {
namespace {

bool Marked(Pixel p) { return p.R > 200 && p.G > 170 && p.B < 110; }

class EditorOverlay : public GlFixture {
 protected:
  // Whether a mark's colour lies within a few pixels of a world point: lines are a
  // pixel wide and may fall either side of it.
  bool MarkedNear(float x, float y) const {
    const int column = static_cast<int>(ColumnOf(x)), row = static_cast<int>(RowOf(y));
    for (int dy = -3; dy <= 3; ++dy) {
      for (int dx = -3; dx <= 3; ++dx) {
        if (Marked(At(column + dx, row + dy))) return true;
      }
    }
    return false;
  }
};

TEST_F(EditorOverlay, TheSelectionIsOutlinedWithCornerHandlesUnderTheStatusLine) {
  // The editor edits what a level file built: the box stands as a level's entry.
  Serialization& levels = Serialization::Instance();
  levels.EntryNames[AddBox({0.0f, 0.0f}, {6.0f, 6.0f}, 0.5f, {0.2f, 0.2f, 0.8f})->Id] = "Crate";
  Graphics& graphics = Graphics::Instance();
  EditorSession& editor = EditorSession::Instance();
  TempFolder backups{"tumbrix-overlay-backups"};
  editor.Backup.Folder = backups.Path;
  editor.View = &graphics.Camera;
  graphics.OverlayPass = [](Graphics& g) { EditorSession::Instance().Draw(g); };
  levels.CurrentLevel = LevelSlot::FirstPlay;
  ASSERT_TRUE(editor.OnKey(SDLK_F4, 0));
  editor.GridOn = false;
  Render();
  EXPECT_FALSE(MarkedNear(3.0f, 0.0f));  // nothing selected yet

  ASSERT_EQ(editor.Document.Order().size(), 1u);
  editor.Document.Select({editor.Document.Order()[0]});
  Render();
  for (float side : {-3.0f, 3.0f}) {
    EXPECT_TRUE(MarkedNear(side, 0.0f)) << side;
    EXPECT_TRUE(MarkedNear(0.0f, side)) << side;
    EXPECT_TRUE(MarkedNear(side, side)) << side;
  }
  EXPECT_FALSE(Marked(AtWorld(0.0f, 0.0f)));  // the object itself shows through
  int statusPixels = 0;
  for (int x = 0; x < Width / 2; ++x) {
    for (int y = Height - Height / 10; y < Height; ++y) statusPixels += Marked(At(x, y)) ? 1 : 0;
  }
  EXPECT_GT(statusPixels, 50);

  editor.Close();
  graphics.OverlayPass = nullptr;
  editor.View = nullptr;
  editor.Backup.Folder = EditorBackup::DefaultFolder();
  levels.EntryNames.clear();
}

}  // namespace
}  // namespace Framework
