// One asset index file (TUMBRIX_FUZZ_INDEX_KIND picks which of the four): any bytes
// give entries that obey the index rules, and every line that is not used is
// reported; reading always ends.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "FuzzCheck.h"
#include "graphics/AssetIndex.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace Framework;
  constexpr AssetKind kind = static_cast<AssetKind>(TUMBRIX_FUZZ_INDEX_KIND);
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::istringstream in(text);
  std::ostringstream report;
  const std::string fileName = AssetIndex::IndexFileName(kind);
  const auto entries = AssetIndex::Read(in, kind, fileName, report);

  const std::string prefix = AssetIndex::DirectoryPrefix(kind);
  int lastLine = 0;
  for (const AssetIndexEntry& entry : entries) {
    FUZZ_CHECK(entry.Line > lastLine);
    lastLine = entry.Line;
    FUZZ_CHECK(entry.Path.compare(0, prefix.size(), prefix) == 0);
    const std::string line = entry.Path.substr(prefix.size());
    FUZZ_CHECK(line.size() <= AssetIndex::MaxLineLength);
    FUZZ_CHECK(line.find('\n') == std::string::npos);
    if (kind == AssetKind::Shaders) {
      FUZZ_CHECK(entry.Name == AssetIndex::ProgramName(line));
      FUZZ_CHECK(entry.FragmentPath.size() - prefix.size() <= AssetIndex::MaxLineLength);
    } else if (kind == AssetKind::Sounds) {
      FUZZ_CHECK(entry.Name == line);
    } else {
      FUZZ_CHECK(line.size() >= 4 && entry.Name == line.substr(0, line.size() - 4));
    }
  }
  // Every line is either used or reported, so the report is empty only when every
  // line made an entry and the file ended with a line break.
  std::size_t lines = 0;
  for (char c : text) lines += c == '\n';
  const bool allUsed = kind == AssetKind::Shaders ? entries.size() * 2 == lines : entries.size() == lines;
  if (report.str().empty()) FUZZ_CHECK(allUsed && !text.empty() && text.back() == '\n');
  // Reports are whole lines.
  FUZZ_CHECK(report.str().empty() || report.str().back() == '\n');
  return 0;
}
