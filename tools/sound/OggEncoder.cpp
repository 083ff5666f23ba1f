#include "OggEncoder.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>

namespace Framework::SoundTool {

namespace {

constexpr long kBlockFrames = 1024;

// Owns the libvorbis and libogg state of one encoding, cleared in reverse order.
class Encoder {
 public:
  Encoder() {
    vorbis_info_init(&info_);
    vorbis_comment_init(&comment_);
  }
  ~Encoder() {
    if (streamReady_) ogg_stream_clear(&stream_);
    if (blockReady_) vorbis_block_clear(&block_);
    if (dspReady_) vorbis_dsp_clear(&dsp_);
    vorbis_comment_clear(&comment_);
    vorbis_info_clear(&info_);
  }
  Encoder(const Encoder&) = delete;
  Encoder& operator=(const Encoder&) = delete;

  bool Start(const EncodeSettings& settings, std::string& error) {
    const int status = vorbis_encode_init_vbr(&info_, 1, SampleRate, settings.Quality);
    if (status != 0) {
      error = "vorbis_encode_init_vbr failed with " + std::to_string(status);
      return false;
    }
    vorbis_comment_add_tag(&comment_, "TITLE", "Tumbrix");
    vorbis_analysis_init(&dsp_, &info_);
    dspReady_ = true;
    vorbis_block_init(&dsp_, &block_);
    blockReady_ = true;
    ogg_stream_init(&stream_, settings.Serial);
    streamReady_ = true;

    ogg_packet header, commentHeader, codebooks;
    vorbis_analysis_headerout(&dsp_, &comment_, &header, &commentHeader, &codebooks);
    ogg_stream_packetin(&stream_, &header);
    ogg_stream_packetin(&stream_, &commentHeader);
    ogg_stream_packetin(&stream_, &codebooks);
    // The headers get pages of their own, so audio starts on a fresh page.
    ogg_page page;
    while (ogg_stream_flush(&stream_, &page) != 0) Append(page);
    return true;
  }

  void Feed(const Samples& samples) {
    for (std::size_t at = 0; at < samples.size(); at += kBlockFrames) {
      const long frames = static_cast<long>(std::min<std::size_t>(kBlockFrames, samples.size() - at));
      float** buffer = vorbis_analysis_buffer(&dsp_, frames);
      std::copy_n(samples.begin() + static_cast<std::ptrdiff_t>(at), frames, buffer[0]);
      vorbis_analysis_wrote(&dsp_, frames);
      Drain();
    }
    vorbis_analysis_wrote(&dsp_, 0);  // end of stream
    Drain();
  }

  std::vector<unsigned char> Take() { return std::move(bytes_); }

 private:
  void Drain() {
    while (vorbis_analysis_blockout(&dsp_, &block_) == 1) {
      vorbis_analysis(&block_, nullptr);
      vorbis_bitrate_addblock(&block_);
      ogg_packet packet;
      while (vorbis_bitrate_flushpacket(&dsp_, &packet) == 1) {
        ogg_stream_packetin(&stream_, &packet);
        ogg_page page;
        while (ogg_stream_pageout(&stream_, &page) != 0) Append(page);
      }
    }
    if (stream_.e_o_s) {
      ogg_page page;
      while (ogg_stream_flush(&stream_, &page) != 0) Append(page);
    }
  }

  void Append(const ogg_page& page) {
    bytes_.insert(bytes_.end(), page.header, page.header + page.header_len);
    bytes_.insert(bytes_.end(), page.body, page.body + page.body_len);
  }

  vorbis_info info_{};
  vorbis_comment comment_{};
  vorbis_dsp_state dsp_{};
  vorbis_block block_{};
  ogg_stream_state stream_{};
  bool dspReady_ = false;
  bool blockReady_ = false;
  bool streamReady_ = false;
  std::vector<unsigned char> bytes_;
};

}  // namespace

bool EncodeOggVorbis(const Samples& samples, const EncodeSettings& settings, std::vector<unsigned char>& out,
                     std::string& error) {
  Encoder encoder;
  if (!encoder.Start(settings, error)) return false;
  encoder.Feed(samples);
  out = encoder.Take();
  return true;
}

bool WriteFile(const std::string& path, const std::vector<unsigned char>& bytes, std::string& error) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (file) file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!file) {
    error = "cannot write " + path + ": " + std::strerror(errno);
    return false;
  }
  return true;
}

}  // namespace Framework::SoundTool
