#include "graphics/AssetIndex.h"

#include <fstream>
#include <optional>

namespace Framework {
namespace {

// One physical line of an index file.
struct RawLine {
  std::string Text;
  bool TooLong = false;
};

// Reads the next newline-terminated line. Returns nothing at the end of the file,
// including for a last line that the end of the file (not a newline) ended: such a
// line was never complete and is not used.
std::optional<RawLine> NextLine(std::istream& in) {
  RawLine line;
  char c = 0;
  while (in.get(c)) {
    if (c == '\n') {
      if (!line.Text.empty() && line.Text.back() == '\r') line.Text.pop_back();
      line.TooLong = line.Text.size() > AssetIndex::MaxLineLength;
      return line;
    }
    line.Text.push_back(c);
  }
  return std::nullopt;
}

void ReportLongLine(std::ostream& report, const std::string& fileName, int lineNo) {
  report << fileName << ":" << lineNo << ": line longer than " << AssetIndex::MaxLineLength
         << " characters, entry skipped\n";
}

}  // namespace

std::string AssetIndex::IndexFileName(AssetKind kind) { return DirectoryPrefix(kind) + "00_list_file.txt"; }

std::string AssetIndex::DirectoryPrefix(AssetKind kind) {
  switch (kind) {
    case AssetKind::Shaders: return "shaders/";
    case AssetKind::Textures: return "textures/";
    case AssetKind::Fonts: return "fonts/";
  }
  return "";
}

std::string AssetIndex::ProgramName(const std::string& vertexLine) {
  if (vertexLine.empty()) return "";
  switch (vertexLine[0]) {
    case 'B': return "Basic";
    case 'F': return "Font";
    case 'I': return "Instance";
    case 'S': return "TextureInstance";
    case 'T': return "Texture";
    default: return "";
  }
}

std::vector<AssetIndexEntry> AssetIndex::Read(std::istream& in, AssetKind kind, const std::string& fileName,
                                              std::ostream& report) {
  std::vector<AssetIndexEntry> entries;
  const std::string prefix = DirectoryPrefix(kind);
  int lineNo = 0;

  if (kind == AssetKind::Shaders) {
    // Lines pair up by position, so an unusable line still takes its place in its pair
    // (and spoils that pair) rather than shifting every later pair out of step.
    while (true) {
      std::optional<RawLine> vertex = NextLine(in);
      if (!vertex) break;
      const int vertexLineNo = ++lineNo;
      std::optional<RawLine> fragment = NextLine(in);
      if (!fragment) break;
      const int fragmentLineNo = ++lineNo;
      if (vertex->TooLong || fragment->TooLong) {
        ReportLongLine(report, fileName, vertex->TooLong ? vertexLineNo : fragmentLineNo);
        continue;
      }
      entries.push_back({ProgramName(vertex->Text), prefix + vertex->Text, prefix + fragment->Text, vertexLineNo});
    }
    return entries;
  }

  // Textures and fonts: one file per line; the name drops the dot and three-letter extension.
  constexpr std::size_t kExtensionLength = 4;
  while (std::optional<RawLine> line = NextLine(in)) {
    ++lineNo;
    if (line->TooLong) {
      ReportLongLine(report, fileName, lineNo);
      continue;
    }
    if (line->Text.size() < kExtensionLength) {
      report << fileName << ":" << lineNo << ": line too short to hold a file name with its extension, skipped\n";
      continue;
    }
    entries.push_back({line->Text.substr(0, line->Text.size() - kExtensionLength), prefix + line->Text, "", lineNo});
  }
  return entries;
}

std::vector<AssetIndexEntry> AssetIndex::ReadFile(AssetKind kind, std::ostream& report) {
  const std::string fileName = IndexFileName(kind);
  std::ifstream in(fileName, std::ios::binary);
  if (!in) {
    report << fileName << ": cannot open the index file, no assets of this kind loaded\n";
    return {};
  }
  return Read(in, kind, fileName, report);
}

}  // namespace Framework
