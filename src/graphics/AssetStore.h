// AssetStore: the one home of the game's shader programs, pictures and fonts, found
// by name. The three index files under the working directory are read once, when the
// store is first reached (with the OpenGL context current); shaders and fonts are
// loaded then, but a picture is decoded only when it is first drawn, and its decoded
// pixels are dropped once the GL texture holds them, so pictures the player has not
// seen yet (a menu never opened, a level not reached) cost neither time nor memory.
//
// Invariants: records are never removed while the game runs, so pointers to them
// (a Sprite's texture, the text renderer's font) stay valid; the store owns every
// record, the GL programs and shaders named in them and the pixel buffers.
// Looking up an unknown font inserts an empty record under that name; a program
// or a picture that is missing or unreadable is a flat colour, never nothing.
#pragma once

#include <GL/glew.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "graphics/AssetIndex.h"
#include "graphics/FontFace.h"
#include "graphics/ImageDecoder.h"

namespace Framework {

struct ShaderProgram {
  GLuint Program = 0;
  GLint TransformLocation = 0;  // "transform"; filled by Graphics for "Basic" and "Texture"
  // "tint" and "alpha" of "Texture", filled by Graphics; -1 (set nothing) elsewhere.
  GLint TintLocation = -1;
  GLint AlphaLocation = -1;
  // "world" of "Texture" (a sprite's camera-relative placement, for its lighting);
  // -1 elsewhere.
  GLint WorldLocation = -1;
  GLuint VertexShader = 0;
  GLuint FragmentShader = 0;
};

struct TextureData {
  GLuint TextureId = 0;  // made at load time; pixels go to the GPU only in UploadTexture
  std::int32_t Width = 0;
  std::int32_t Height = 0;
  // RGBA, 8 bits a channel, rows in file order; held from decoding until the upload.
  PixelBuffer Pixels;
  // The file still to be decoded on first use; empty once it has been tried.
  std::string Path;
  // The picture could not be read: Pixels hold one pixel of MissingColour instead.
  bool Missing = false;
  // The GL texture holds the picture (and Pixels have been let go).
  bool Uploaded = false;
};

class AssetStore {
 public:
  // What a missing or unreadable picture is drawn as: loud magenta, which no
  // picture of the game uses, so the gap is plain to see and the game stays playable.
  static constexpr std::uint32_t MissingColour = 0xFF00FFFF;

  // Creates the store on first call and loads the shader, texture and font lists.
  static AssetStore& Instance();
  ~AssetStore();
  AssetStore(const AssetStore&) = delete;
  AssetStore& operator=(const AssetStore&) = delete;

  // Reads one index file (relative to the working directory) and loads each entry,
  // replacing records of the same name.
  void LoadAssetList(AssetKind kind);

  // Compiles both files and links them; the bool is whether linking succeeded.
  // Failures are reported on standard output; the program record is returned either way.
  static std::pair<ShaderProgram, bool> CompileShaderPair(const std::string& vertexPath,
                                                          const std::string& fragmentPath);
  // The whole file, or an empty string when it cannot be read.
  static std::string ReadTextFile(const std::string& path);

  // Makes the program current unless it already is (through this function).
  static void UseProgram(const ShaderProgram& program);
  // Decodes the record's file if that has not been tried yet; a picture that cannot
  // be read is reported (file and reason, once) and becomes the flat colour.
  static void Decode(TextureData& texture);
  // Sends the record's pixels to its GL texture (clamped, no mipmaps: pictures are
  // sampled nearest, which never reads a smaller level) and lets the pixels go.
  // Decodes first when needed; a record already uploaded is left as it is.
  static void UploadTexture(TextureData& texture);

  // Lookup by name; an unknown font gets an empty record (it draws nothing); an
  // unknown program or texture is reported once and draws as a flat colour.
  ShaderProgram& Program(const std::string& name);
  TextureData& Texture(const std::string& name);
  FontFace& Font(const std::string& name);
  // Strict texture lookup: null when the name is unknown.
  TextureData* FindTexture(const std::string& name);

  std::map<std::string, ShaderProgram> Programs;
  std::map<std::string, TextureData> Textures;
  std::map<std::string, std::unique_ptr<FontFace>> Fonts;

  // The GL program last made current through UseProgram.
  static inline GLuint CurrentProgram = 0;

 private:
  // `viewAspect` is the window's aspect ratio, which fixes the fonts' TextScale.
  explicit AssetStore(float viewAspect);
  void LoadShader(const AssetIndexEntry& entry);
  void LoadTexture(const AssetIndexEntry& entry);
  void LoadFontEntry(const AssetIndexEntry& entry);
  // Fills `record` with the flat colour and makes its GL texture when there is none.
  static void MakeMissing(TextureData& record);

  float viewAspect_;
};

}  // namespace Framework
