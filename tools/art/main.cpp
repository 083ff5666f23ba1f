// tumbrix_art: draws every texture of the game into a textures folder, writes
// the folder's index file, and (optionally) a contact sheet and a mock frame of
// play (<sheet>-scene.png) for reviewing.
//
//   tumbrix_art <font.ttf> <textures-dir> [contact-sheet.png]
//   tumbrix_art --icons <icons-dir>     (the desktop icon, hicolor theme layout)
//
// Exit status 0 when everything was written; otherwise 1 after one line per
// problem on standard error.
#include "ContactSheet.h"
#include "Icon.h"
#include "PixelFont.h"
#include "PngFile.h"
#include "ScenePreview.h"
#include "TextureSet.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>

namespace fs = std::filesystem;
using namespace Framework::Art;

namespace {

// Writes <dir>/<size>x<size>/apps/tumbrix.png for every icon size.
int WriteIcons(const fs::path& dir) {
  const Canvas icon = PaintIcon();
  for (int size : kIconSizes) {
    const fs::path folder = dir / (std::to_string(size) + "x" + std::to_string(size)) / "apps";
    std::error_code ec;
    fs::create_directories(folder, ec);
    std::string error;
    if (ec || WritePng((folder / "tumbrix.png").string(), icon.Upscaled(size / kIconArtPixels), error) == 0) {
      std::cerr << "tumbrix_art: cannot write the " << size << " pixel icon in \"" << folder.string() << "\" "
                << (ec ? ec.message() : error) << "\n";
      return 1;
    }
  }
  return 0;
}

// What drawing every texture wrote: the index's lines and the bytes on disk.
struct Written {
  std::string List;
  std::size_t Textures = 0;
  std::size_t Bytes = 0;
  bool Ok = true;
};

// Draws and writes each texture once; the sheet, when given, collects them for review.
Written WriteTextures(const PixelFont& font, const fs::path& outDir, ContactSheet* sheet) {
  Written written;
  std::set<std::string> seen;
  for (const TextureSpec& entry : AllTextures()) {
    if (!seen.insert(entry.Name).second) {
      std::cerr << "tumbrix_art: texture \"" << entry.Name << "\" is defined twice\n";
      written.Ok = false;
      continue;
    }
    const Canvas art = entry.Paint(font);
    std::string error;
    const std::size_t bytes = WritePng((outDir / (entry.Name + ".png")).string(),
                                       art.Upscaled(kTexelsPerArtPixel), error);
    if (bytes == 0) {
      std::cerr << "tumbrix_art: " << error << "\n";
      written.Ok = false;
      continue;
    }
    written.Bytes += bytes;
    written.List += entry.Name + ".png\n";
    if (sheet != nullptr) sheet->Add(entry.Name, art);
  }
  written.Textures = seen.size();
  return written;
}

// The index is written last, so a reader never sees a name whose file is not there yet.
bool WriteIndex(const fs::path& outDir, const std::string& list) {
  std::ofstream index(outDir / "00_list_file.txt", std::ios::binary | std::ios::trunc);
  index << list;
  if (!index) {
    std::cerr << "tumbrix_art: cannot write \"" << (outDir / "00_list_file.txt").string() << "\"\n";
    return false;
  }
  return true;
}

// The contact sheet and, beside it, a mock frame of play from the same textures.
bool WriteSheet(const PixelFont& font, const ContactSheet& sheet, const fs::path& sheetPath) {
  std::string error;
  fs::path scene = sheetPath;
  scene.replace_filename(scene.stem().string() + "-scene.png");
  if (WritePng(sheetPath.string(), sheet.Compose(font), error) == 0 ||
      WritePng(scene.string(), PaintScenePreview(font).Upscaled(kPreviewScale), error) == 0) {
    std::cerr << "tumbrix_art: " << error << "\n";
    return false;
  }
  return true;
}

bool FontHasEveryGlyph(const PixelFont& font) {
  for (char32_t cp : font.Missing()) {
    std::cerr << "tumbrix_art: the font has no glyph for U+" << std::hex << std::uppercase
              << static_cast<unsigned long>(cp) << std::dec << "\n";
  }
  return font.Missing().empty();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--icons") return WriteIcons(argv[2]);
  if (argc < 3 || argc > 4) {
    std::cerr << "usage: tumbrix_art <font.ttf> <textures-dir> [contact-sheet.png] | --icons <icons-dir>\n";
    return 1;
  }
  const auto start = std::chrono::steady_clock::now();
  const PixelFont font(argv[1]);
  if (!font.Ok()) {
    // Words are part of many textures; a silent build without them would ship blank buttons.
    std::cerr << "tumbrix_art: " << font.Error() << " (run scripts/setup.sh to fetch the font)\n";
    return 1;
  }
  const fs::path outDir = argv[2];
  std::error_code ec;
  fs::create_directories(outDir, ec);
  if (ec) {
    std::cerr << "tumbrix_art: cannot create \"" << outDir.string() << "\": " << ec.message() << "\n";
    return 1;
  }

  ContactSheet sheet;
  const Written written = WriteTextures(font, outDir, argc == 4 ? &sheet : nullptr);
  bool ok = written.Ok;
  ok = FontHasEveryGlyph(font) && ok;
  ok = WriteIndex(outDir, written.List) && ok;
  if (argc == 4) ok = WriteSheet(font, sheet, argv[3]) && ok;
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
  std::cout << "tumbrix_art: " << written.Textures << " textures, " << written.Bytes << " bytes, " << ms.count()
            << " ms\n";
  return ok ? 0 : 1;
}
