// OggEncoder: turns mono float samples into an Ogg Vorbis file with libvorbisenc.
// Invariant: the output depends only on the samples, the quality and the stream
// serial number passed in, so repeated builds write identical bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Synth.h"

namespace Framework::SoundTool {

struct EncodeSettings {
  float Quality = 0.5f;         // libvorbis VBR quality, -0.1 .. 1
  std::int32_t Serial = 1;      // the Ogg logical stream number, fixed per file
};

// Encodes into memory. Returns false and fills `error` if libvorbisenc refuses.
bool EncodeOggVorbis(const Samples& samples, const EncodeSettings& settings, std::vector<unsigned char>& out,
                     std::string& error);

// Writes bytes to a file; false and `error` set on failure.
bool WriteFile(const std::string& path, const std::vector<unsigned char>& bytes, std::string& error);

}  // namespace Framework::SoundTool
