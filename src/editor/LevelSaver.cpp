#include "editor/LevelSaver.h"

#include <charconv>
#include <cstdio>
#include <iostream>
#include <system_error>


#if defined(__unix__) || defined(__APPLE__)
#include <unistd.h>
#endif

#include "editor/EditorDocument.h"
#include "levels/JsonFile.h"
#include "levels/SaveLocation.h"
#include "levels/Serialization.h"
#include "levels/TextEncoding.h"

namespace Framework {

namespace {

// Python's repr switches to an exponent outside 1e-4 <= |x| < 1e16, and the level
// tools write with it.
constexpr int kLowestFixedExponent = -4;
constexpr int kHighestFixedExponent = 15;
// Below this every character is written as a \u escape.
constexpr char16_t kFirstPrintable = 0x20;
constexpr char16_t kLastAscii = 0x7e;

// The float's shortest decimal text, laid out as the level tools lay out numbers:
// "0.85", "4.0", "1e-05", "1.5e+16".
void AppendNumber(std::string& out, float value) {
  char text[32];
  const auto written = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific);
  const std::string scientific(text, written.ptr);  // "-d.ddde+XX"
  const std::size_t e = scientific.find('e');
  const bool negative = scientific[0] == '-';
  std::string digits;
  for (std::size_t i = negative ? 1 : 0; i < e; ++i) {
    if (scientific[i] != '.') digits += scientific[i];
  }
  const int exponent = std::stoi(scientific.substr(e + 1));
  if (negative) out += '-';
  if (exponent < kLowestFixedExponent || exponent > kHighestFixedExponent) {
    out += digits.substr(0, 1);
    if (digits.size() > 1) out += "." + digits.substr(1);
    const int magnitude = exponent < 0 ? -exponent : exponent;
    out += std::string("e") + (exponent < 0 ? "-" : "+") + (magnitude < 10 ? "0" : "") + std::to_string(magnitude);
    return;
  }
  if (exponent < 0) {
    out += "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    return;
  }
  const auto whole = static_cast<std::size_t>(exponent) + 1;
  if (digits.size() <= whole) {
    out += digits + std::string(whole - digits.size(), '0') + ".0";
  } else {
    out += digits.substr(0, whole) + "." + digits.substr(whole);
  }
}

// ASCII only, everything else as \u escapes: the tools' default.
void AppendString(std::string& out, const std::string& text) {
  out += '"';
  for (char16_t c : Utf8ToUtf16(text)) {
    switch (c) {
      case u'"': out += "\\\""; break;
      case u'\\': out += "\\\\"; break;
      case u'\n': out += "\\n"; break;
      case u'\r': out += "\\r"; break;
      case u'\t': out += "\\t"; break;
      case u'\b': out += "\\b"; break;
      case u'\f': out += "\\f"; break;
      default:
        if (c >= kFirstPrintable && c <= kLastAscii) {
          out += static_cast<char>(c);
        } else {
          char escape[8];
          std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
          out += escape;
        }
    }
  }
  out += '"';
}

void AppendValue(std::string& out, const Json::Value& value, int depth) {
  const std::string inner(static_cast<std::size_t>(depth) + 1, '\t');
  switch (value.type()) {
    case Json::nullValue: out += "null"; return;
    case Json::booleanValue: out += value.asBool() ? "true" : "false"; return;
    case Json::intValue: out += std::to_string(value.asLargestInt()); return;
    case Json::uintValue: out += std::to_string(value.asLargestUInt()); return;
    case Json::realValue: AppendNumber(out, value.asFloat()); return;
    case Json::stringValue: AppendString(out, value.asString()); return;
    case Json::arrayValue:
    case Json::objectValue: break;
  }
  const bool array = value.isArray();
  if (value.empty()) {
    out += array ? "[]" : "{}";
    return;
  }
  out += array ? "[\n" : "{\n";
  bool first = true;
  // Members come out of the JSON library in byte order of their keys.
  for (auto it = value.begin(); it != value.end(); ++it) {
    if (!first) out += ",\n";
    first = false;
    out += inner;
    if (!array) {
      AppendString(out, it.name());
      out += ": ";
    }
    AppendValue(out, *it, depth + 1);
  }
  out += "\n" + std::string(static_cast<std::size_t>(depth), '\t') + (array ? "]" : "}");
}

bool SystemLetsWrite(const std::filesystem::path& file) {
#if defined(__unix__) || defined(__APPLE__)
  // The rename needs the folder; an existing file must be writable too.
  std::error_code ignored;
  const std::filesystem::path folder = file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
  if (::access(folder.c_str(), W_OK) != 0) return false;
  return !std::filesystem::exists(file, ignored) || ::access(file.c_str(), W_OK) == 0;
#else
  (void)file;
  return true;
#endif
}

// The comment lines over the level's object, as the file has them.
std::string HeaderComment(const std::string& file) {
  std::error_code ignored;
  if (!std::filesystem::exists(file, ignored)) return {};
  Json::Value level;
  if (!JsonFile::Read(file, level)) return {};
  return level.getComment(Json::commentBefore);
}

}  // namespace

std::filesystem::path LevelSaver::DefaultCopyFolder() {
  return AutosaveFilePath(&ProcessEnvironment).parent_path() / "levels";
}

void LevelSaver::UseCopies(const std::filesystem::path& folder) {
  std::error_code ignored;
  // Nothing was ever saved there (the usual case): no file to look for.
  if (!std::filesystem::is_directory(folder, ignored)) return;
  Serialization& levels = Serialization::Instance();
  for (std::string& file : levels.LevelFiles) {
    const std::filesystem::path copy = folder / std::filesystem::path(file).filename();
    if (std::filesystem::is_regular_file(copy, ignored)) file = copy.string();
  }
}

std::string LevelSaver::LevelText(const Json::Value& level, const std::string& comment) {
  std::string text = comment;
  if (!text.empty() && text.back() != '\n') text += '\n';
  AppendValue(text, level, 0);
  return text + "\n";
}

std::optional<std::string> LevelSaver::Save(EditorDocument& document, int slot) {
  Serialization& levels = Serialization::Instance();
  const std::string own = levels.GetLevelFile(slot);
  if (own.empty()) return std::nullopt;
  const bool inPlace = Writable ? Writable(own) : SystemLetsWrite(own);
  const std::string target = inPlace ? own : (CopyFolder / std::filesystem::path(own).filename()).string();
  const std::string text = LevelText(levels.WriteLevel(document.Objects()), HeaderComment(own));
  if (!JsonFile::WriteText(target, text, {})) {
    std::cout << "Level " << slot << " was not saved\n";
    return std::nullopt;
  }
  levels.LevelFiles[static_cast<std::size_t>(slot)] = target;
  document.MarkSaved();
  std::error_code ignored;
  std::cout << "Level saved to " << std::filesystem::absolute(target, ignored).string()
            << (inPlace ? "\n" : " (its own file cannot be written; the game plays this copy from now on)\n");
  return target;
}

}  // namespace Framework
