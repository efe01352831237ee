// LoadTexture on a real context: the texture objects it leaves, read back.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "render/texture_loader.h"
#include "tests/support/bmp_files.h"
#include "tests/support/captured_log.h"
#include "tests/support/display_test.h"

namespace {

using Texels = std::vector<uint8_t>;
using LoadTextureGl = ScreenTest;

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

// LoadTexture, with the progress text it writes.
uint32_t Load(const std::string& fileName, std::string& progress) {
  CapturedLog capture;
  const uint32_t name = LoadTexture(fileName);
  progress = capture.Text();
  return name;
}

TEST_F(LoadTextureGl, LeavesANearestFilteredTextureOfTheImageBound) {
  // Two rows of three, padded in the file; the first row becomes texture row
  // 0, mirrored, and only pure magenta gets alpha 0.
  WriteFile("a.bmp", BmpFile(3, 2, {{1, 2, 3}, {0xFF, 0x00, 0xFF}, {7, 8, 9},  //
                                    {10, 11, 12}, {13, 14, 15}, {0xFF, 0x01, 0xFF}}));
  std::string progress;
  const uint32_t name = Load("a.bmp", progress);
  EXPECT_EQ(progress, "");
  ASSERT_NE(name, 0u);
  EXPECT_EQ(BoundTexture(), static_cast<GLint>(name));
  EXPECT_TRUE(glIsTexture(name));
  EXPECT_EQ(Parameter(GL_TEXTURE_MAG_FILTER), GL_NEAREST);
  EXPECT_EQ(Parameter(GL_TEXTURE_MIN_FILTER), GL_NEAREST);
  EXPECT_EQ(Parameter(GL_TEXTURE_WRAP_S), GL_REPEAT);
  EXPECT_EQ(LevelParameter(GL_TEXTURE_WIDTH), 3);
  EXPECT_EQ(LevelParameter(GL_TEXTURE_HEIGHT), 2);
  EXPECT_EQ(LevelParameter(GL_TEXTURE_INTERNAL_FORMAT), GL_RGBA);
  EXPECT_EQ(ReadBoundTexels(3, 2), (Texels{7, 8, 9, 255, 0xFF, 0, 0xFF, 0, 1, 2, 3, 255,  //
                                           0xFF, 1, 0xFF, 255, 13, 14, 15, 255, 10, 11, 12, 255}));
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(LoadTextureGl, TwoLoadsOfOneFileGiveTwoTextures) {
  WriteFile("c.bmp", BmpFile(1, 1, {{1, 2, 3}}));
  const uint32_t first = LoadTexture("c.bmp");
  const uint32_t second = LoadTexture("c.bmp");
  EXPECT_NE(first, 0u);
  EXPECT_NE(second, 0u);
  EXPECT_NE(first, second);
  EXPECT_TRUE(glIsTexture(first));
  EXPECT_TRUE(glIsTexture(second));
  EXPECT_EQ(BoundTexture(), static_cast<GLint>(second));
}

TEST_F(LoadTextureGl, AFileThatCannotBeOpenedMakesNoTexture) {
  WriteFile("d.bmp", BmpFile(1, 1, {{1, 2, 3}}));
  const uint32_t bound = LoadTexture("d.bmp");
  for (const std::string file : {"x.bmp", "."}) {
    SCOPED_TRACE(file);
    // Names come in order: if nothing takes one, the next two are consecutive.
    GLuint before = 0;
    glGenTextures(1, &before);
    std::string progress;
    EXPECT_EQ(Load(file, progress), 0u);
    EXPECT_EQ(progress, "Cannot load texture file [" + file + "] \r\n");
    GLuint after = 0;
    glGenTextures(1, &after);
    EXPECT_EQ(after, before + 1);
    EXPECT_EQ(BoundTexture(), static_cast<GLint>(bound));
  }
}

TEST_F(LoadTextureGl, EmptyNegativeOrHugeSizesGiveATextureWithoutAnImage) {
  struct Case {
    std::string bytes;
    std::string error;  // on standard error, not in the progress text
  };
  // A negative height is refused by OpenGL; the huge sizes never reach it:
  // 16384 x 16384 is within OpenGL's largest size but a gigabyte of texels.
  const std::string tooMany = " pixels, too many; it is left without an image\n";
  const std::string noBmp = "viewer: texture file [f.bmp] is no uncompressed 24-bit BMP: its header ";
  for (const Case& c : {Case{"", noBmp + "does not begin with \"BM\"\n"},
                        Case{BmpHeader(2, -2), noBmp + "stores its rows top-down (negative height)\n"},
                        Case{BmpHeader(INT32_MAX, INT32_MAX),
                             "viewer: texture file [f.bmp] asks for 2147483647 x 2147483647" + tooMany},
                        Case{BmpHeader(16384, 16384), "viewer: texture file [f.bmp] asks for 16384 x 16384" + tooMany}}) {
    SCOPED_TRACE(c.error);
    WriteFile("f.bmp", c.bytes);
    testing::internal::CaptureStderr();
    std::string progress;
    const uint32_t name = Load("f.bmp", progress);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), c.error);
    EXPECT_EQ(progress, "");
    while (glGetError() != GL_NO_ERROR) {
    }
    EXPECT_NE(name, 0u);
    EXPECT_EQ(BoundTexture(), static_cast<GLint>(name));
    EXPECT_EQ(Parameter(GL_TEXTURE_MIN_FILTER), GL_NEAREST);
    EXPECT_EQ(LevelParameter(GL_TEXTURE_WIDTH), 0);
    EXPECT_EQ(LevelParameter(GL_TEXTURE_HEIGHT), 0);
  }
}

}  // namespace
