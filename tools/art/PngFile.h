// PngFile: writes a canvas as an 8-bit RGBA PNG. The encoder is deterministic,
// which is what lets the build check that two runs give the same bytes.
#pragma once

#include "Canvas.h"

#include <string>

namespace Framework::Art {

// Returns the number of bytes written, or 0 with `error` set.
std::size_t WritePng(const std::string& path, const Canvas& canvas, std::string& error);

}  // namespace Framework::Art
