#include "graphics/AssetStore.h"

#include <SDL.h>

#include <fstream>
#include <iostream>
#include <sstream>
#include <vector>

#include "graphics/Graphics.h"

namespace Framework {
namespace {

const char* const kRule = "=======================================\n";

// GL calls at exit are only safe while the context that made the objects is current.
bool GlReady() { return SDL_GL_GetCurrentContext() != nullptr && glCreateShader != nullptr; }

// Compiles one stage; prints the compile report when it fails.
GLuint CompileStage(GLenum stage, const std::string& source) {
  const GLuint shader = glCreateShader(stage);
  const GLchar* text = source.data();
  const GLint length = static_cast<GLint>(source.size());
  glShaderSource(shader, 1, &text, &length);
  glCompileShader(shader);
  GLint ok = 0;
  glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
  if (ok == 0) {
    GLint logLength = 0;
    glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &logLength);
    std::vector<GLchar> log(static_cast<std::size_t>(logLength > 0 ? logLength : 0) + 1, '\0');
    if (logLength > 0) glGetShaderInfoLog(shader, logLength, nullptr, log.data());
    std::cout << kRule << "Shader compilation failed : \n"
              << "\tError info : " << log.data() << "\n"
              << kRule << "\n";
  }
  return shader;
}

// What stands in for a program that did not build: every shape it would have drawn
// comes out flat magenta, like a missing picture, instead of through whatever
// program happened to be current. The instanced programs place their quads by a
// per-instance matrix (attribute 2); the others by a uniform, "transform" or, for
// text, "projection": a uniform nobody sets is all zeros, so their sum is the one set.
const char* const kStandInInstancedVertex =
    "#version 330 core\nlayout(location = 0) in vec3 aPos;\nlayout(location = 2) in mat4 aModel;\n"
    "void main() { gl_Position = aModel * vec4(aPos, 1.0); }\n";
const char* const kStandInPlacedVertex =
    "#version 330 core\nlayout(location = 0) in vec3 aPos;\nuniform mat4 transform;\nuniform mat4 projection;\n"
    "void main() { gl_Position = (transform + projection) * vec4(aPos.xy, 0.0, 1.0); }\n";
// MissingColour, opaque magenta.
const char* const kStandInFragment =
    "#version 330 core\nout vec4 colour;\nvoid main() { colour = vec4(1.0, 0.0, 1.0, 1.0); }\n";

void DeleteProgram(const ShaderProgram& program) {
  if (program.Program != 0) glDeleteProgram(program.Program);
  if (program.VertexShader != 0) glDeleteShader(program.VertexShader);
  if (program.FragmentShader != 0) glDeleteShader(program.FragmentShader);
}

ShaderProgram StandInProgram(const std::string& name) {
  const bool instanced = name == "Instance";
  ShaderProgram record;
  record.VertexShader = CompileStage(GL_VERTEX_SHADER, instanced ? kStandInInstancedVertex : kStandInPlacedVertex);
  record.FragmentShader = CompileStage(GL_FRAGMENT_SHADER, kStandInFragment);
  record.Program = glCreateProgram();
  glAttachShader(record.Program, record.VertexShader);
  glAttachShader(record.Program, record.FragmentShader);
  glLinkProgram(record.Program);
  return record;
}

}  // namespace

AssetStore& AssetStore::Instance() {
  // The fonts' text scale depends on the window's shape, which the camera holds once
  // the window size has been applied (before the store is first reached).
  static AssetStore store([] {
    const Camera& camera = Graphics::Instance().Camera;
    return camera.ViewHalfHeight > 0.0f ? camera.ViewHalfWidth / camera.ViewHalfHeight : 0.0f;
  }());
  return store;
}

AssetStore::AssetStore(float viewAspect) : viewAspect_(viewAspect) {
  LoadAssetList(AssetKind::Shaders);
  LoadAssetList(AssetKind::Textures);
  LoadAssetList(AssetKind::Fonts);
}

AssetStore::~AssetStore() {
  if (GlReady()) {
    for (auto& [name, program] : Programs) {
      glUseProgram(0);
      if (program.Program != 0) {
        if (program.VertexShader != 0) glDetachShader(program.Program, program.VertexShader);
        if (program.FragmentShader != 0) glDetachShader(program.Program, program.FragmentShader);
        glDeleteProgram(program.Program);
      }
      if (program.VertexShader != 0) glDeleteShader(program.VertexShader);
      if (program.FragmentShader != 0) glDeleteShader(program.FragmentShader);
    }
    CurrentProgram = 0;
  }
  Programs.clear();
  Fonts.clear();     // each face releases its FreeType face and library
  Textures.clear();  // pixel buffers not yet uploaded; GL texture objects go with the context
}

void AssetStore::LoadAssetList(AssetKind kind) {
  for (const AssetIndexEntry& entry : AssetIndex::ReadFile(kind, std::cout)) {
    switch (kind) {
      case AssetKind::Shaders: LoadShader(entry); break;
      case AssetKind::Textures: LoadTexture(entry); break;
      case AssetKind::Fonts: LoadFontEntry(entry); break;
      case AssetKind::Sounds: break;  // the AudioSystem's
    }
  }
  std::cout.flush();
}

std::string AssetStore::ReadTextFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return "";
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::pair<ShaderProgram, bool> AssetStore::CompileShaderPair(const std::string& vertexPath,
                                                             const std::string& fragmentPath) {
  ShaderProgram record;
  std::cout << "Linking Vertex shader\n";
  record.VertexShader = CompileStage(GL_VERTEX_SHADER, ReadTextFile(vertexPath));
  std::cout << "Loading Fragment Shader\n";
  record.FragmentShader = CompileStage(GL_FRAGMENT_SHADER, ReadTextFile(fragmentPath));

  record.Program = glCreateProgram();
  glAttachShader(record.Program, record.VertexShader);
  glAttachShader(record.Program, record.FragmentShader);
  glLinkProgram(record.Program);
  GLint linked = 0;
  glGetProgramiv(record.Program, GL_LINK_STATUS, &linked);
  if (linked == 0) {
    GLint logLength = 0;
    glGetProgramiv(record.Program, GL_INFO_LOG_LENGTH, &logLength);
    std::vector<GLchar> log(static_cast<std::size_t>(logLength > 0 ? logLength : 0) + 1, '\0');
    if (logLength > 0) glGetProgramInfoLog(record.Program, logLength, nullptr, log.data());
    std::cout << kRule << "Shader linking failed : \n"
              << "Info Length : " << logLength << "\n"
              << "Linker error message : " << log.data() << "\n";
    std::cout << "Linking Vertex shader FAILED\n";
  }
  return {record, linked != 0};
}

void AssetStore::LoadShader(const AssetIndexEntry& entry) {
  if (entry.Name.empty()) std::cout << "loadshaderfail";
  auto [program, linked] = CompileShaderPair(entry.Path, entry.FragmentPath);
  if (!linked) {
    // The reports above carry the compiler's words but not the files; this line names them.
    std::cout << entry.Path << " + " << entry.FragmentPath << ": the \"" << entry.Name << "\" program did not build";
    for (const std::string* path : {&entry.Path, &entry.FragmentPath}) {
      if (!std::ifstream(*path, std::ios::binary)) std::cout << ", " << *path << " cannot be read";
    }
    std::cout << "; what it draws is drawn as a flat colour\n";
    DeleteProgram(program);
    program = StandInProgram(entry.Name);
  }
  // A failed program is still stored (as its stand-in), replacing any of the same name.
  Programs[entry.Name] = program;
}

void AssetStore::LoadTexture(const AssetIndexEntry& entry) {
  if (entry.Name.empty()) std::cout << "loadtexturefail";
  TextureData record;
  glGenTextures(1, &record.TextureId);
  record.Path = entry.Path;
  Textures[entry.Name] = std::move(record);
}

void AssetStore::Decode(TextureData& record) {
  if (record.Uploaded || record.Path.empty()) return;
  DecodedImage image = ImageDecoder::DecodeFile(record.Path);
  if (image.Pixels) {
    record.Width = image.Width;
    record.Height = image.Height;
    record.Pixels = std::move(image.Pixels);
  } else {
    std::cout << record.Path << ": " << image.Error << "; the picture is drawn as a flat colour\n";
    MakeMissing(record);
  }
  record.Path.clear();
}

void AssetStore::LoadFontEntry(const AssetIndexEntry& entry) {
  if (entry.Name.empty()) std::cout << "loadrenderfail";
  auto face = std::make_unique<FontFace>(viewAspect_);
  face->LoadFont(entry.Path);
  std::unique_ptr<FontFace>& stored = Fonts[entry.Name];
  stored = std::move(face);
  if (stored->Face != nullptr) FT_Set_Pixel_Sizes(stored->Face, 0, FontFace::PixelHeight);
}

void AssetStore::UseProgram(const ShaderProgram& program) {
  if (program.Program == CurrentProgram) return;
  glUseProgram(program.Program);
  CurrentProgram = program.Program;
}

void AssetStore::UploadTexture(TextureData& texture) {
  if (texture.Uploaded) return;
  Decode(texture);
  glBindTexture(GL_TEXTURE_2D, texture.TextureId);
  // Sprites stretch their picture once across the quad, never tile it.
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  // Pictures hold one texel per art pixel: magnified nearest, each art pixel stays
  // a sharp square block at any screen size, as pixel art is meant to look.
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, texture.Width, texture.Height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
               texture.Pixels.get());
  glBindTexture(GL_TEXTURE_2D, 0);
  texture.Pixels.reset();
  texture.Uploaded = true;
}

ShaderProgram& AssetStore::Program(const std::string& name) {
  auto it = Programs.find(name);
  if (it != Programs.end()) return it->second;
  // A program the shader index does not list would otherwise leave drawing to
  // whatever program is current: said once, and the flat stand-in takes its place.
  std::cout << AssetIndex::IndexFileName(AssetKind::Shaders) << ": no \"" << name
            << "\" program; what it draws is drawn as a flat colour\n";
  ShaderProgram& record = Programs[name];
  if (GlReady()) record = StandInProgram(name);
  return record;
}

TextureData& AssetStore::Texture(const std::string& name) {
  auto it = Textures.find(name);
  if (it != Textures.end()) return it->second;
  std::cout << AssetIndex::IndexFileName(AssetKind::Textures) << ": no texture named \"" << name
            << "\"; the picture is drawn as a flat colour\n";
  TextureData& record = Textures[name];
  MakeMissing(record);
  return record;
}

void AssetStore::MakeMissing(TextureData& record) {
  DecodedImage flat = ImageDecoder::FlatColour(MissingColour);
  record.Width = flat.Width;
  record.Height = flat.Height;
  record.Pixels = std::move(flat.Pixels);
  record.Missing = true;
  if (record.TextureId == 0 && GlReady()) glGenTextures(1, &record.TextureId);
}

TextureData* AssetStore::FindTexture(const std::string& name) {
  auto it = Textures.find(name);
  return it == Textures.end() ? nullptr : &it->second;
}

FontFace& AssetStore::Font(const std::string& name) {
  std::unique_ptr<FontFace>& face = Fonts[name];
  if (!face) face = std::make_unique<FontFace>(viewAspect_);
  return *face;
}

}  // namespace Framework
