// Whole-file reading and writing for tests, byte for byte (no newline conversion).
#pragma once

#include <filesystem>
#include <string>

namespace Framework {

// The file's bytes, or "" when it cannot be read.
std::string ReadFileText(const std::filesystem::path& path);
// Replaces the file with `text`, creating its folder; false when it could not be written.
bool WriteFileText(const std::filesystem::path& path, const std::string& text);

}  // namespace Framework
