// Which OpenGL contexts take BGRA pixel data.
#include <gtest/gtest.h>

#include "platform/gl_support.h"

namespace {

TEST(BgraSupport, CoreFromVersion1Point2) {
  EXPECT_TRUE(SupportsBgra("4.5 (Compatibility Profile) Mesa 22.3.6", ""));
  EXPECT_TRUE(SupportsBgra("1.2", nullptr));  // a 1.2 context need not list the extension
  EXPECT_TRUE(SupportsBgra("1.10.0", ""));
  EXPECT_TRUE(SupportsBgra("2.1 Mesa", "GL_ARB_multitexture"));
  EXPECT_FALSE(SupportsBgra("1.1.0", "GL_ARB_multitexture"));
  EXPECT_FALSE(SupportsBgra("1.1", nullptr));
}

TEST(BgraSupport, OlderContextsNeedTheExtension) {
  EXPECT_TRUE(SupportsBgra("1.1.0", "GL_EXT_bgra"));
  EXPECT_TRUE(SupportsBgra("1.1.0", "GL_ARB_imaging GL_EXT_bgra GL_EXT_abgr"));
  EXPECT_TRUE(SupportsBgra(nullptr, "GL_EXT_bgra "));
  EXPECT_TRUE(SupportsBgra("unknown", "GL_EXT_bgra_extended GL_EXT_bgra"));
}

TEST(BgraSupport, ExtensionMustMatchAsAWholeName) {
  EXPECT_FALSE(SupportsBgra("1.1", "GL_EXT_bgra_extended"));
  EXPECT_FALSE(SupportsBgra("1.1", "XGL_EXT_bgra"));
  EXPECT_FALSE(SupportsBgra("1.1", "GL_EXT_bgr"));
  EXPECT_FALSE(SupportsBgra("1.1", ""));
  EXPECT_FALSE(ListsExtension("GL_EXT_bgra", ""));
  EXPECT_FALSE(ListsExtension(nullptr, "GL_EXT_bgra"));
}

TEST(BgraSupport, UnreadableVersionsCountAsOld) {
  EXPECT_FALSE(SupportsBgra(nullptr, nullptr));
  EXPECT_FALSE(SupportsBgra("", ""));
  EXPECT_FALSE(SupportsBgra("OpenGL ES 3.2", ""));
  EXPECT_FALSE(SupportsBgra("4", ""));
  EXPECT_FALSE(SupportsBgra("4.", ""));
  EXPECT_TRUE(SupportsBgra("99999999999999999999.0", ""));
}

}  // namespace
