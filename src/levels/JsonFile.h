// JsonFile: reading and writing one JSON document on disk, for level files and
// saves. A read either yields a whole object document or reports why not; a write
// goes to a temporary file beside the target, is pushed to the disk and only then
// renamed over it, so the target always holds either the old or the new content.
// Every failure prints one line naming the file.
#pragma once

#include <functional>
#include <ostream>
#include <string>

#include <json/value.h>

namespace Framework {

// Writes the saved text to the temporary file; false when the write failed.
using WriteTextFunction = std::function<bool(std::ostream& out, const std::string& text)>;

class JsonFile {
 public:
  // Parses the file into `document`. False (and `document` untouched) when the
  // file cannot be opened or does not hold a JSON object.
  static bool Read(const std::string& fileName, Json::Value& document);
  // Replaces the file by `document`. An empty `writeText` writes the text as is.
  static bool Write(const std::string& fileName, const Json::Value& document, const WriteTextFunction& writeText);
  // The same, for a document already turned into text (a writer with its own layout).
  static bool WriteText(const std::string& fileName, const std::string& text, const WriteTextFunction& writeText);
};

// The JSON library's messages span several lines and end in a full stop; the
// game's messages stay on one line and go on after them.
std::string OneLine(std::string text);

}  // namespace Framework
