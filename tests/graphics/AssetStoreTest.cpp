// The asset store with a GL context: the game's own programs, the exact shader
// reports, images decoded and uploaded, lookup rules and UseProgram.
#include "graphics/AssetStore.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>

#include "support/Capture.h"
#include "support/Files.h"
#include "support/GlFixture.h"
#include "support/PngWriter.h"
#include "support/TempFolder.h"

namespace Framework {
namespace {

const std::string kRule = "=======================================\n";

// The game's own assets are loaded by the fixture; each test then works in a
// scratch folder with index files of its own.
class AssetStoreTest : public GlFixture {
 protected:
  void SetUp() override {
    GlFixture::SetUp();
    // The store loads the game's assets when first asked for, which needs the context.
    store = &AssetStore::Instance();
    inScratch = std::make_unique<WorkingDirectory>(scratch.Path);
  }
  void TearDown() override {
    inScratch.reset();
    GlFixture::TearDown();
  }
  void Write(const std::string& path, const std::string& text) { WriteFileText(scratch.Path / path, text); }
  // A PNG image: w x h opaque pixels of the given RGB.
  void WriteImage(const std::string& path, int w, int h, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    std::vector<std::uint8_t> rgba;
    for (int i = 0; i < w * h; ++i) rgba.insert(rgba.end(), {r, g, b, 255});
    ASSERT_TRUE(WritePng(scratch.Path / path, w, h, rgba));
  }
  std::string Load(AssetKind kind) {
    return StdoutOf([&] { store->LoadAssetList(kind); });
  }

  AssetStore* store = nullptr;
  TempFolder scratch{"tumbrix-assets"};
  std::unique_ptr<WorkingDirectory> inScratch;
};

const char* const kGoodVertex =
    "#version 330 core\nlayout(location = 0) in vec3 p;\nvoid main() { gl_Position = vec4(p, 1.0); }\n";
const char* const kGoodFragment = "#version 330 core\nout vec4 c;\nvoid main() { c = vec4(1.0); }\n";

TEST_F(AssetStoreTest, TheGamesProgramsAllLinkAndTheFontIsLoaded) {
  for (const char* name : {"Basic", "Texture", "Instance", "Font"}) {
    ASSERT_TRUE(store->Programs.contains(name)) << name;
    GLint linked = 0;
    glGetProgramiv(store->Programs[name].Program, GL_LINK_STATUS, &linked);
    EXPECT_EQ(linked, GL_TRUE) << name;
  }
  // Loaded and uploaded (which glyphs: FontFaceTest).
  ASSERT_TRUE(store->Fonts.contains("PressStart2P"));
  const FontFace& font = *store->Fonts["PressStart2P"];
  EXPECT_NE(font.Atlas, 0u);
  EXPECT_LT(font.GlyphFor(u'A').U0, font.GlyphFor(u'A').U1);
  EXPECT_NE(font.Vao, 0u);
}

TEST_F(AssetStoreTest, AMissingSourceFailsBothStepsGoodPairsLinkQuietlyAndUnknownLettersGoUnderNoName) {
  Write("shaders/00_list_file.txt", "Texture.vert\nTexture.frag\n");
  Write("shaders/Texture.frag", kGoodFragment);
  const std::string out = Load(AssetKind::Shaders);
  // The compile report, then the fragment shader's, then the failure.
  EXPECT_EQ(out.find("Linking Vertex shader\n" + kRule + "Shader compilation failed : \n"), 0u) << out;
  const std::size_t failed = out.find("Linking Vertex shader FAILED\n");
  ASSERT_NE(failed, std::string::npos) << out;
  EXPECT_LT(out.find("Loading Fragment Shader\n"), failed);
  EXPECT_NE(out.find("shaders/Texture.vert cannot be read; what it draws is drawn as a flat colour\n", failed),
            std::string::npos)
      << out;
  // Pictures drawn with the stand-in come out flat magenta where they stand, not as
  // whatever another program would make of them.
  ShaderProgram& texture = store->Program("Texture");
  texture.TransformLocation = glGetUniformLocation(texture.Program, "transform");
  AddTextured(kSplitTexture, {0.0f, 0.0f}, {8.0f, 8.0f}, 0.5f);
  Render();
  EXPECT_EQ(AtWorld(0.0f, 2.0f), (Pixel{255, 0, 255, 255}));
  EXPECT_EQ(AtWorld(0.0f, -2.0f), (Pixel{255, 0, 255, 255}));
  EXPECT_TRUE(IsSky(AtWorld(0.0f, 5.0f)));

  // Good pairs link quietly; unknown letters go under the empty name.
  Write("shaders/00_list_file.txt", "lower.vert\nGood.frag\nInstance.vert\nGood.frag");
  Write("shaders/lower.vert", kGoodVertex);
  Write("shaders/Good.frag", kGoodFragment);
  const GLuint instanceBefore = store->Programs["Instance"].Program;
  const std::string said = Load(AssetKind::Shaders);
  EXPECT_EQ(said,
            "shaders/00_list_file.txt:4: the last line \"Good.frag\" has no line break after it, not used\n"
            "loadshaderfailLinking Vertex shader\nLoading Fragment Shader\n");
  ASSERT_TRUE(store->Programs.contains(""));
  GLint linked = 0;
  glGetProgramiv(store->Programs[""].Program, GL_LINK_STATUS, &linked);
  EXPECT_EQ(linked, GL_TRUE);
  // The last pair has no final newline, so the game's "Instance" stays.
  EXPECT_EQ(store->Programs["Instance"].Program, instanceBefore);
}

TEST_F(AssetStoreTest, ImagesDecodeToRgbaAndUploadAsIs) {
  WriteImage("textures/player.png", 3, 2, 200, 100, 50);
  Write("textures/00_list_file.txt", "player.png\n.png\n");
  WriteImage("textures/.png", 1, 1, 0, 0, 0);
  const std::string out = Load(AssetKind::Textures);

  ASSERT_TRUE(store->Textures.contains("player"));
  // Listed pictures are decoded when first needed, not when the list is read.
  TextureData& player = store->Texture("player");
  EXPECT_EQ(player.Pixels, nullptr);
  AssetStore::Decode(player);
  EXPECT_EQ(player.Width, 3);
  EXPECT_EQ(player.Height, 2);
  EXPECT_FALSE(player.Missing);
  ASSERT_NE(player.Pixels, nullptr);
  EXPECT_EQ(std::vector<std::uint8_t>(player.Pixels.get(), player.Pixels.get() + 4),
            (std::vector<std::uint8_t>{200, 100, 50, 255}));
  EXPECT_NE(player.TextureId, 0u);
  // A four-character line names nothing: reported, stored under the empty name.
  EXPECT_EQ(out, "loadtexturefail");
  EXPECT_TRUE(store->Textures.contains(""));

  const std::vector<std::uint8_t> decoded(player.Pixels.get(), player.Pixels.get() + 3 * 2 * 4);
  AssetStore::UploadTexture(player);
  // The GL texture holds the picture now; the decoded copy is let go.
  EXPECT_EQ(player.Pixels, nullptr);
  std::vector<std::uint8_t> back(3 * 2 * 4, 0);
  glBindTexture(GL_TEXTURE_2D, player.TextureId);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, back.data());
  GLint minFilter = 0;
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
  glBindTexture(GL_TEXTURE_2D, 0);
  EXPECT_EQ(decoded, back);
  EXPECT_EQ(minFilter, GL_NEAREST);
}

TEST_F(AssetStoreTest, BrokenAndMissingPicturesAreNamedOnceAndDrawAsAFlatColour) {
  WriteImage("textures/good.png", 4, 4, 0, 200, 0);
  const std::string good = ReadFileText(scratch.Path / "textures/good.png");
  // The image header's size fields, rewritten (the decoder does not check the header's checksum).
  auto withSize = [&](std::uint32_t side) {
    std::string text = good;
    for (int field : {16, 20}) {
      for (int i = 0; i < 4; ++i) text[field + i] = static_cast<char>(side >> (8 * (3 - i)));
    }
    return text;
  };
  const std::map<std::string, std::string> broken = {
      {"truncated", good.substr(0, good.size() / 2)},
      {"wrong_magic", "GIF89a" + good.substr(6)},
      {"empty", ""},
      {"zero_size", withSize(0)},
      {"huge", withSize(100000)},
  };
  std::string list = "good.png\nmissing.png\n";
  for (const auto& [name, bytes] : broken) {
    Write("textures/" + name + ".png", bytes);
    list += name + ".png\n";
  }
  Write("textures/00_list_file.txt", list);
  std::string out = Load(AssetKind::Textures);
  EXPECT_EQ(out, "");  // nothing is decoded until asked for
  out = StdoutOf([&] {
    for (const char* name : {"good", "missing", "truncated", "wrong_magic", "empty", "zero_size", "huge"}) {
      AssetStore::Decode(store->Texture(name));
      AssetStore::Decode(store->Texture(name));
    }
  });

  EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), static_cast<long>(broken.size() + 1)) << out;
  for (const char* said : {"textures/missing.png: cannot open the file; the picture is drawn as a flat colour\n",
                           "textures/truncated.png: damaged PNG data", "textures/wrong_magic.png: not a PNG image",
                           "textures/empty.png: the file is empty", "textures/zero_size.png: the picture has no pixels",
                           "textures/huge.png: the picture is 100000x100000 pixels, larger than the 8192x8192"}) {
    EXPECT_NE(out.find(said), std::string::npos) << said << " in:\n" << out;
  }
  for (const char* name : {"missing", "truncated", "wrong_magic", "empty", "zero_size", "huge"}) {
    const TextureData& record = store->Textures[name];
    EXPECT_TRUE(record.Missing) << name;
    ASSERT_NE(record.Pixels, nullptr) << name;
    EXPECT_EQ(record.Width * record.Height, 1) << name;
  }
  EXPECT_FALSE(store->Textures["good"].Missing);

  // On screen a missing picture is a flat colour where it stands, not the sky behind it.
  AddTextured("truncated", {-6.0f, 0.0f}, {4.0f, 4.0f}, 0.5f);
  AddTextured("no-such-name", {6.0f, 0.0f}, {4.0f, 4.0f}, 0.5f);
  AddTextured("good", {0.0f, 8.0f}, {4.0f, 4.0f}, 0.5f);
  Render();
  const Pixel magenta{255, 0, 255, 255};
  EXPECT_EQ(AtWorld(-6.0f, 0.0f), magenta);
  EXPECT_EQ(AtWorld(6.0f, 0.0f), magenta);
  EXPECT_EQ(AtWorld(0.0f, 8.0f), (Pixel{0, 200, 0, 255}));
}

TEST_F(AssetStoreTest, UnknownNamesGetEmptyRecordsAndStrictLookupFindsNothing) {
  // A program no index lists: said once, and the flat stand-in (which links) takes its place.
  EXPECT_EQ(StdoutOf([&] { store->Program("NoSuchProgram"); }),
            "shaders/00_list_file.txt: no \"NoSuchProgram\" program; what it draws is drawn as a flat colour\n");
  GLint linked = 0;
  glGetProgramiv(store->Program("NoSuchProgram").Program, GL_LINK_STATUS, &linked);
  EXPECT_EQ(linked, GL_TRUE);
  EXPECT_TRUE(store->Programs.contains("NoSuchProgram"));
  FontFace& font = store->Font("NoSuchFont");
  EXPECT_TRUE(font.Glyphs.empty());
  EXPECT_EQ(font.Face, nullptr);
  EXPECT_FLOAT_EQ(font.TextScale, 8.0f);
  EXPECT_EQ(store->FindTexture("NoSuchTexture"), nullptr);
  EXPECT_FALSE(store->Textures.contains("NoSuchTexture"));
  // A texture the level names but no index lists: said once, then a flat colour.
  TextureData* inserted = nullptr;
  EXPECT_EQ(StdoutOf([&] { inserted = &store->Texture("NoSuchTexture"); }),
            "textures/00_list_file.txt: no texture named \"NoSuchTexture\"; the picture is drawn as a flat colour\n");
  EXPECT_TRUE(inserted->Missing);
  EXPECT_NE(inserted->TextureId, 0u);
  EXPECT_EQ(StdoutOf([&] { EXPECT_EQ(&store->Texture("NoSuchTexture"), inserted); }), "");
  EXPECT_EQ(store->FindTexture("NoSuchTexture"), inserted);
}

}  // namespace
}  // namespace Framework
