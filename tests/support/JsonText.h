// JSON text in tests: parse a literal the way level files are read, and write a
// value the way saves are written, so tests can compare exact file text.
#pragma once

#include <sstream>
#include <string>

#include <json/json.h>

namespace Framework {

inline Json::Value ParseJson(const std::string& text) {
  Json::Value value;
  std::istringstream in(text);
  in >> value;
  return value;
}

inline std::string JsonText(const Json::Value& value) {
  return Json::writeString(Json::StreamWriterBuilder(), value);
}

}  // namespace Framework
