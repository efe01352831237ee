// LoadTexture on a real context: the texture objects it leaves, read back.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <string>
#include <vector>

#include "model/texture_loader.h"
#include "platform/log.h"
#include "tests/texture/bmp_files.h"
#include "tests/texture/gl_scene.h"

namespace {

using Texels = std::vector<uint8_t>;

GLint BoundTexture() {
  GLint name = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &name);
  return name;
}

GLint LevelParameter(GLenum parameter) {
  GLint value = -1;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, parameter, &value);
  return value;
}

GLint Parameter(GLenum parameter) {
  GLint value = -1;
  glGetTexParameteriv(GL_TEXTURE_2D, parameter, &value);
  return value;
}

// The bound texture's image as blue, green, red, alpha bytes.
Texels ReadBoundTexels(int width, int height) {
  Texels texels(static_cast<std::size_t>(width * height * 4), 0x77);
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_BGRA, GL_UNSIGNED_BYTE, texels.data());
  return texels;
}

std::string CaptureProgress(const std::string& fileName, uint32_t& name) {
  std::FILE* stream = std::tmpfile();
  LogSetStream(stream);
  name = LoadTexture(fileName);
  LogSetStream(stdout);
  std::string text;
  std::rewind(stream);
  for (int c; (c = std::fgetc(stream)) != EOF;) text.push_back(static_cast<char>(c));
  std::fclose(stream);
  return text;
}

TEST(LoadTextureGl, LeavesANearestFilteredTextureOfTheImageBound) {
  ASSERT_NO_FATAL_FAILURE(OpenScene());
  TempDir dir;
  // Two rows of four; the first row becomes texture row 0, mirrored.
  std::string file = dir.Write("a.bmp", BmpFile(4, 2, {{1, 2, 3}, {4, 5, 6}, {0xFF, 0x00, 0xFF}, {7, 8, 9},
                                                      {10, 11, 12}, {13, 14, 15}, {16, 17, 18}, {0xFF, 0x01, 0xFF}}));
  uint32_t name = 0;
  EXPECT_EQ(CaptureProgress(file, name), "");
  ASSERT_NE(name, 0u);
  EXPECT_EQ(BoundTexture(), static_cast<GLint>(name));
  EXPECT_TRUE(glIsTexture(name));
  EXPECT_EQ(Parameter(GL_TEXTURE_MAG_FILTER), GL_NEAREST);
  EXPECT_EQ(Parameter(GL_TEXTURE_MIN_FILTER), GL_NEAREST);
  EXPECT_EQ(Parameter(GL_TEXTURE_WRAP_S), GL_REPEAT);
  EXPECT_EQ(LevelParameter(GL_TEXTURE_WIDTH), 4);
  EXPECT_EQ(LevelParameter(GL_TEXTURE_HEIGHT), 2);
  EXPECT_EQ(LevelParameter(GL_TEXTURE_INTERNAL_FORMAT), GL_RGBA);
  EXPECT_EQ(ReadBoundTexels(4, 2), (Texels{7, 8, 9, 255, 0xFF, 0, 0xFF, 0, 4, 5, 6, 255, 1, 2, 3, 255,  //
                                           0xFF, 1, 0xFF, 255, 16, 17, 18, 255, 13, 14, 15, 255, 10, 11, 12, 255}));
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(LoadTextureGl, APaddedWidthReadsBackAsDrawn) {
  ASSERT_NO_FATAL_FAILURE(OpenScene());
  TempDir dir;
  std::string file =
      dir.Write("b.bmp", BmpFile(3, 2, {{1, 1, 1}, {2, 2, 2}, {3, 3, 3}, {4, 4, 4}, {5, 5, 5}, {6, 6, 6}}));
  uint32_t name = LoadTexture(file);
  ASSERT_NE(name, 0u);
  EXPECT_EQ(LevelParameter(GL_TEXTURE_WIDTH), 3);
  EXPECT_EQ(LevelParameter(GL_TEXTURE_HEIGHT), 2);
  EXPECT_EQ(ReadBoundTexels(3, 2), (Texels{3, 3, 3, 255, 2, 2, 2, 255, 1, 1, 1, 255,  //
                                           6, 6, 6, 255, 5, 5, 5, 255, 4, 4, 4, 255}));
}

TEST(LoadTextureGl, TwoLoadsOfOneFileGiveTwoTextures) {
  ASSERT_NO_FATAL_FAILURE(OpenScene());
  TempDir dir;
  std::string file = dir.Write("c.bmp", BmpFile(1, 1, {{1, 2, 3}}));
  uint32_t first = LoadTexture(file);
  uint32_t second = LoadTexture(file);
  EXPECT_NE(first, 0u);
  EXPECT_NE(second, 0u);
  EXPECT_NE(first, second);
  EXPECT_TRUE(glIsTexture(first));
  EXPECT_TRUE(glIsTexture(second));
  EXPECT_EQ(BoundTexture(), static_cast<GLint>(second));
}

TEST(LoadTextureGl, AFileThatCannotBeOpenedMakesNoTexture) {
  ASSERT_NO_FATAL_FAILURE(OpenScene());
  TempDir dir;
  uint32_t bound = LoadTexture(dir.Write("d.bmp", BmpFile(1, 1, {{1, 2, 3}})));
  for (const std::string& file : {(dir.path / "x.bmp").string(), dir.path.string()}) {
    SCOPED_TRACE(file);
    // Names come in order: if nothing takes one, the next two are consecutive.
    GLuint before = 0;
    glGenTextures(1, &before);
    uint32_t name = 99;
    EXPECT_EQ(CaptureProgress(file, name), "Cannot load texture file [" + file + "] \r\n");
    EXPECT_EQ(name, 0u);
    GLuint after = 0;
    glGenTextures(1, &after);
    EXPECT_EQ(after, before + 1);
    EXPECT_EQ(BoundTexture(), static_cast<GLint>(bound));
  }
}

TEST(LoadTextureGl, AnEmptyFileGivesANewTextureWithAZeroSizedImage) {
  ASSERT_NO_FATAL_FAILURE(OpenScene());
  TempDir dir;
  uint32_t name = 0;
  EXPECT_EQ(CaptureProgress(dir.Write("e.bmp", {}), name), "");
  EXPECT_NE(name, 0u);
  EXPECT_TRUE(glIsTexture(name));
  EXPECT_EQ(BoundTexture(), static_cast<GLint>(name));
  EXPECT_EQ(LevelParameter(GL_TEXTURE_WIDTH), 0);
  EXPECT_EQ(LevelParameter(GL_TEXTURE_HEIGHT), 0);
}

TEST(LoadTextureGl, NegativeOrHugeSizesGiveATextureWithoutAnImage) {
  ASSERT_NO_FATAL_FAILURE(OpenScene());
  TempDir dir;
  struct Case {
    int32_t width;
    int32_t height;
    const char* error;  // on standard error, not in the progress text
  };
  // A negative height is refused by OpenGL; the huge sizes never reach it:
  // 16384 x 16384 is within OpenGL's largest size but a gigabyte of texels.
  const std::string tooMany = " pixels, too many; it is left without an image\n";
  for (Case c : {Case{2, -2, ""}, Case{INT32_MAX, INT32_MAX, "2147483647 x 2147483647"},
                 Case{16384, 16384, "16384 x 16384"}}) {
    SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
    std::string file = dir.Write("f.bmp", BmpHeader(c.width, c.height));
    testing::internal::CaptureStderr();
    uint32_t name = 0;
    EXPECT_EQ(CaptureProgress(file, name), "");
    std::string error = testing::internal::GetCapturedStderr();
    if (*c.error == '\0') {
      EXPECT_EQ(error, "");
    } else {
      EXPECT_EQ(error, "viewer: texture file [" + file + "] asks for " + c.error + tooMany);
    }
    ClearGlErrors();
    EXPECT_NE(name, 0u);
    EXPECT_EQ(BoundTexture(), static_cast<GLint>(name));
    EXPECT_EQ(Parameter(GL_TEXTURE_MIN_FILTER), GL_NEAREST);
    EXPECT_EQ(LevelParameter(GL_TEXTURE_WIDTH), 0);
    EXPECT_EQ(LevelParameter(GL_TEXTURE_HEIGHT), 0);
  }
}

}  // namespace
