#include "levels/JsonFile.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <system_error>
#include <utility>

#if defined(__unix__) || defined(__APPLE__)
#include <fcntl.h>
#include <unistd.h>
#endif

#include <json/reader.h>
#include <json/writer.h>

namespace Framework {

namespace {

// Pushes the file's content from the system's caches to the disk, so that the
// rename never publishes a file whose data a power cut could still lose.
bool SyncToDisk(const std::filesystem::path& path) {
#if defined(__unix__) || defined(__APPLE__)
  const int fd = ::open(path.c_str(), O_RDONLY);
  if (fd < 0) return false;
  const bool synced = ::fsync(fd) == 0;
  const int error = errno;  // for the report; close must not replace it
  ::close(fd);
  errno = error;
  return synced;
#else
  (void)path;
  return true;
#endif
}

// What the system said about the last failed file operation, for the line that reports it.
std::string SystemReason(int error) {
  return error != 0 ? std::strerror(error) : "the system gave no reason";
}

}  // namespace

std::string OneLine(std::string text) {
  for (char& c : text) {
    if (c == '\n' || c == '\r') c = ' ';
  }
  while (!text.empty() && (text.back() == ' ' || text.back() == '.')) text.pop_back();
  return text;
}

bool JsonFile::Read(const std::string& fileName, Json::Value& document) {
  errno = 0;
  std::ifstream in(fileName, std::ios::binary);
  if (!in) {
    std::cout << "Could not open " << fileName << ": " << SystemReason(errno) << "\n";
    return false;
  }
  // Default reader settings: comments allowed, the last of a repeated key wins,
  // text after the root value ignored.
  Json::CharReaderBuilder builder;
  Json::Value parsedDocument;
  std::string errors;
  bool parsed = false;
  try {
    parsed = Json::parseFromStream(builder, in, &parsedDocument, &errors);
  } catch (const Json::Exception& e) {
    // Nesting past the reader's depth limit is thrown, not returned.
    errors = e.what();
  }
  if (!parsed) {
    std::cout << "Could not parse " << fileName << ": " << OneLine(errors) << "\n";
    return false;
  }
  if (!parsedDocument.isObject()) {
    std::cout << "Could not parse " << fileName << ": the root value is not an object\n";
    return false;
  }
  document = std::move(parsedDocument);
  return true;
}

namespace {

// The save folder is made at start-up; made again here if it has gone since, and
// when it cannot be made, that is the reason the save fails.
bool MakeFolderOf(const std::string& fileName, const std::filesystem::path& target) {
  std::error_code ignored;
  const std::filesystem::path folder = target.parent_path();
  if (folder.empty() || std::filesystem::exists(folder, ignored)) return true;
  std::error_code made;
  std::filesystem::create_directories(folder, made);
  if (made) {
    std::cout << "Could not open " << fileName << ": cannot make the folder " << folder.string() << " ("
              << made.message() << ")\n";
    return false;
  }
  return true;
}

// Writes the whole text to the temporary file and flushes it to disk; on any
// failure the temporary file is removed and the old save is left as it was.
bool WriteTemporary(const std::string& fileName, const std::filesystem::path& temporary, const std::string& text,
                    const WriteTextFunction& writeText) {
  std::error_code ignored;
  {
    errno = 0;
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) {
      std::cout << "Could not open " << fileName << ": " << SystemReason(errno) << "\n";
      return false;
    }
    errno = 0;
    bool written = writeText ? writeText(out, text)
                             : static_cast<bool>(out.write(text.data(), static_cast<std::streamsize>(text.size())));
    out.flush();
    written = written && out.good();
    out.close();
    if (!written || out.fail()) {
      // A full disk shows here (or at the flush to disk below); the old file stays.
      std::cout << "Could not write " << fileName << ": " << SystemReason(errno) << "\n";
      std::filesystem::remove(temporary, ignored);
      return false;
    }
  }
  errno = 0;
  if (!SyncToDisk(temporary)) {
    std::cout << "Could not write " << fileName << ": " << SystemReason(errno) << "\n";
    std::filesystem::remove(temporary, ignored);
    return false;
  }
  return true;
}

}  // namespace

bool JsonFile::Write(const std::string& fileName, const Json::Value& document, const WriteTextFunction& writeText) {
  return WriteText(fileName, Json::writeString(Json::StreamWriterBuilder(), document), writeText);
}

bool JsonFile::WriteText(const std::string& fileName, const std::string& text, const WriteTextFunction& writeText) {
  const std::filesystem::path target(fileName);
  std::filesystem::path temporary = target;
  temporary += ".tmp";
  if (!MakeFolderOf(fileName, target) || !WriteTemporary(fileName, temporary, text, writeText)) return false;
  std::error_code renameError;
  std::filesystem::rename(temporary, target, renameError);
  if (renameError) {
    std::cout << "Could not replace " << fileName << ": " << renameError.message() << "\n";
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    return false;
  }
  return true;
}

}  // namespace Framework
