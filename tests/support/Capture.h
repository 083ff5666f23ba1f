// What a call prints: the game reports bad files and data on standard output and
// sound failures on standard error, and tests check those lines.
#pragma once

#include <functional>
#include <string>

namespace Framework {

std::string StdoutOf(const std::function<void()>& call);
std::string StderrOf(const std::function<void()>& call);
// How often `piece` occurs in `text`, counting occurrences that do not overlap.
int CountOf(const std::string& text, const std::string& piece);

}  // namespace Framework
