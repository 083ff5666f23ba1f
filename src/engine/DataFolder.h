// DataFolder: finds the game's run-time folder (shaders, textures, fonts, sounds,
// level files) so the game starts the same from a build tree, from an installed
// prefix, or from a desktop launcher whose working directory is the home folder.
// Invariant: a folder is only ever chosen when it holds the shader index, the one
// file without which nothing can be drawn.
#pragma once

#include <filesystem>
#include <optional>

namespace Framework {

// The file whose presence marks a run-time folder.
inline constexpr const char* kDataMarker = "shaders/00_list_file.txt";
// Where an installed game keeps its run-time folder, relative to the executable's folder.
inline constexpr const char* kInstalledDataFolder = "../share/tumbrix";

// The run-time folder for an executable living in `executableFolder`, in the order
// tried: the working directory (how the build and the tests run it), the
// executable's own folder (the build's run-time folder), then the installed
// layout beside it. Empty when none holds the marker.
std::optional<std::filesystem::path> FindDataFolder(const std::filesystem::path& workingFolder,
                                                    const std::filesystem::path& executableFolder);

// Makes the run-time folder the working directory, reporting one line on standard
// output when none can be found (the game then starts with what it has).
void EnterDataFolder();

}  // namespace Framework
