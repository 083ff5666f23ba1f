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

// Reads the lines of one index, numbering them from 1.
class LineReader {
 public:
  LineReader(std::istream& in, const std::string& fileName, std::ostream& report)
      : in_(in), fileName_(fileName), report_(report) {}

  // The next newline-terminated line. Nothing at the end of the file, including
  // for a last line that the end of the file (not a newline) ended: such a line
  // was never complete; it is reported and not used.
  std::optional<RawLine> Next() {
    RawLine line;
    char c = 0;
    while (in_.get(c)) {
      if (c == '\n') {
        ++number_;
        if (!line.Text.empty() && line.Text.back() == '\r') line.Text.pop_back();
        line.TooLong = line.Text.size() > AssetIndex::MaxLineLength;
        return line;
      }
      // Past the longest usable line the text no longer matters, only where the line ends.
      if (line.Text.size() <= AssetIndex::MaxLineLength + 1) line.Text.push_back(c);
    }
    if (!line.Text.empty()) {
      endedMidLine_ = true;
      Report(number_ + 1) << "the last line \"" << line.Text.substr(0, AssetIndex::MaxLineLength)
                          << "\" has no line break after it, not used\n";
    }
    return std::nullopt;
  }

  int Number() const { return number_; }
  // The file ended inside a line (already reported by Next).
  bool EndedMidLine() const { return endedMidLine_; }
  std::ostream& Report(int lineNo) { return report_ << fileName_ << ":" << lineNo << ": "; }
  void ReportLongLine(int lineNo) {
    Report(lineNo) << "line longer than " << AssetIndex::MaxLineLength << " characters, entry skipped\n";
  }

 private:
  std::istream& in_;
  const std::string& fileName_;
  std::ostream& report_;
  int number_ = 0;
  bool endedMidLine_ = false;
};

}  // namespace

std::string AssetIndex::IndexFileName(AssetKind kind) { return DirectoryPrefix(kind) + "00_list_file.txt"; }

std::string AssetIndex::DirectoryPrefix(AssetKind kind) {
  switch (kind) {
    case AssetKind::Shaders: return "shaders/";
    case AssetKind::Textures: return "textures/";
    case AssetKind::Fonts: return "fonts/";
    case AssetKind::Sounds: return "Audio/";
  }
  return "";
}

const char* AssetIndex::KindName(AssetKind kind) {
  switch (kind) {
    case AssetKind::Shaders: return "shaders";
    case AssetKind::Textures: return "textures";
    case AssetKind::Fonts: return "fonts";
    case AssetKind::Sounds: return "sounds";
  }
  return "assets";
}

std::string AssetIndex::ProgramName(const std::string& vertexLine) {
  if (vertexLine.empty()) return "";
  switch (vertexLine[0]) {
    case 'B': return "Basic";
    case 'F': return "Font";
    case 'I': return "Instance";
    case 'T': return "Texture";
    default: return "";
  }
}

std::vector<AssetIndexEntry> AssetIndex::Read(std::istream& in, AssetKind kind, const std::string& fileName,
                                              std::ostream& report) {
  std::vector<AssetIndexEntry> entries;
  const std::string prefix = DirectoryPrefix(kind);
  LineReader lines(in, fileName, report);

  if (kind == AssetKind::Shaders) {
    // Lines pair up by position, so an unusable line still takes its place in its pair
    // (and spoils that pair) rather than shifting every later pair out of step.
    while (std::optional<RawLine> vertex = lines.Next()) {
      const int vertexLineNo = lines.Number();
      std::optional<RawLine> fragment = lines.Next();
      if (!fragment) {
        if (!lines.EndedMidLine()) lines.Report(vertexLineNo) << "vertex shader without a fragment shader line after it, not used\n";
        break;
      }
      if (vertex->TooLong || fragment->TooLong) {
        lines.ReportLongLine(vertex->TooLong ? vertexLineNo : lines.Number());
        continue;
      }
      entries.push_back({ProgramName(vertex->Text), prefix + vertex->Text, prefix + fragment->Text, vertexLineNo});
    }
  } else {
    // Textures and fonts drop the dot and three-letter extension from the name;
    // a sound is known by its whole line.
    constexpr std::size_t kExtensionLength = 4;
    const std::size_t dropped = kind == AssetKind::Sounds ? 0 : kExtensionLength;
    while (std::optional<RawLine> line = lines.Next()) {
      if (line->TooLong) {
        lines.ReportLongLine(lines.Number());
        continue;
      }
      if (line->Text.size() < dropped) {
        lines.Report(lines.Number()) << "line too short to hold a file name with its extension, skipped\n";
        continue;
      }
      entries.push_back({line->Text.substr(0, line->Text.size() - dropped), prefix + line->Text, "", lines.Number()});
    }
  }
  if (entries.empty()) report << fileName << ": lists no usable entries, no " << KindName(kind) << " loaded\n";
  return entries;
}

std::vector<AssetIndexEntry> AssetIndex::ReadFile(AssetKind kind, std::ostream& report) {
  const std::string fileName = IndexFileName(kind);
  std::ifstream in(fileName, std::ios::binary);
  if (!in) {
    report << fileName << ": cannot open the index file, no " << KindName(kind) << " loaded\n";
    return {};
  }
  return Read(in, kind, fileName, report);
}

}  // namespace Framework
