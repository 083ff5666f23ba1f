// AssetIndex: reads one asset index file ("shaders/", "textures/", "fonts/" or
// "Audio/" 00_list_file.txt) into the list of entries to load, without touching
// the GPU or the sound device.
//
// Rules kept here: a line holds at most 79 characters (a carriage return before
// the newline is dropped); a line is used exactly as written; a line ended by the
// end of the file instead of a newline is never used. Shader entries are pairs of
// lines named by the first character of the vertex line; texture and font entries
// are named by the line without its four-character extension; a sound is named by
// its whole line.
// Every line that cannot be used (too long, too short to hold a name, not ended by
// a newline) is reported with the file and line number and skipped, and so is an
// index that lists nothing; reading always ends at the end of the file.
#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <vector>

namespace Framework {

enum class AssetKind : int { Shaders = 0, Textures = 1, Fonts = 2, Sounds = 3 };

struct AssetIndexEntry {
  std::string Name;          // the asset's name (may be empty: reported when loaded)
  std::string Path;          // directory prefix + line (the vertex shader for pairs)
  std::string FragmentPath;  // shader pairs only
  int Line = 0;              // line number of the entry's (first) line, from 1
};

class AssetIndex {
 public:
  // The longest line an index file may hold (the reader's buffer is 80 bytes).
  static constexpr std::size_t MaxLineLength = 79;

  // "shaders/00_list_file.txt" and friends.
  static std::string IndexFileName(AssetKind kind);
  // "shaders/", "textures/", "fonts/", "Audio/".
  static std::string DirectoryPrefix(AssetKind kind);
  // "shaders", "textures", "fonts", "sounds": for reports.
  static const char* KindName(AssetKind kind);
  // "Basic", "Font", "Instance", "Texture" or "" by the first character.
  static std::string ProgramName(const std::string& vertexLine);

  // Reads the entries of one index from `in`. `fileName` only names the file in reports,
  // which are written to `report`, one line each (an index without entries included).
  static std::vector<AssetIndexEntry> Read(std::istream& in, AssetKind kind, const std::string& fileName,
                                           std::ostream& report);
  // Opens the index of `kind` relative to the working directory; a missing file is reported
  // and yields no entries.
  static std::vector<AssetIndexEntry> ReadFile(AssetKind kind, std::ostream& report);
};

}  // namespace Framework
