// TempFolder: a fresh, empty folder of a test's own under the system's temporary
// folder, removed with everything in it when the object goes. Tests run in
// parallel processes, so the name carries the process id and a per-process count.
// WorkingDirectory: makes a folder the working directory for the object's lifetime
// (the game reads its assets and saves relative to it).
#pragma once

#include <filesystem>
#include <string>

namespace Framework {

class TempFolder {
 public:
  explicit TempFolder(const std::string& tag = "tumbrix");
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The path of `name` inside the folder.
  std::string File(const std::string& name) const { return (Path / name).string(); }

  const std::filesystem::path Path;
};

class WorkingDirectory {
 public:
  explicit WorkingDirectory(const std::filesystem::path& folder);
  ~WorkingDirectory();
  WorkingDirectory(const WorkingDirectory&) = delete;
  WorkingDirectory& operator=(const WorkingDirectory&) = delete;

 private:
  std::filesystem::path previous_;
};

}  // namespace Framework
