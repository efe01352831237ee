// The readers with the real texture upload, on a real window and context:
// faces end up with the names of live texture objects made from the files.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "model/obj_reader.h"
#include "platform/screen.h"
#include "reader_test_support.h"

namespace {

class ReadersOnARealContext : public InScratchDirectory {
 protected:
  static void SetUpTestSuite() { ASSERT_EQ(ScreenOpen(18, 32, 0, 2, 0), 0) << ScreenError(); }
};

GLint TextureLevelSize(GLuint name, GLenum which) {
  GLint previous = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &previous);
  glBindTexture(GL_TEXTURE_2D, name);
  GLint size = -1;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, which, &size);
  glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(previous));
  return size;
}

TEST_F(ReadersOnARealContext, FacesTakeTheTexturesTheLibraryLoaded) {
  WriteFile("hull.bmp", SmallBmp(4, 2));
  WriteFile("enterprise.mtl",
            "newmtl hull\nKd 1 1 1\nmap_Kd hull.bmp\n"
            "newmtl again\nmap_Kd hull.bmp\n"
            "newmtl lost\nmap_Kd lost.bmp\n");
  WriteFile("enterprise.obj",
            "v 0 0 0\nv 1 0 0\nv 0 1 0\n"
            "usemtl hull\nf 1 2 3\nusemtl again\nf 1 2 3\nusemtl lost\nf 1 2 3\n");
  std::unique_ptr<Model> model = ZeroModel();
  CapturedLog capture;
  LoadModel("enterprise.obj", *model);
  const std::string log = capture.Text();

  const GLuint hull = model->faces[0].texture;
  const GLuint again = model->faces[1].texture;
  ASSERT_NE(hull, 0u);
  ASSERT_NE(again, 0u);
  EXPECT_NE(hull, again);  // the same file, read and uploaded twice
  EXPECT_TRUE(glIsTexture(hull));
  EXPECT_TRUE(glIsTexture(again));
  EXPECT_EQ(TextureLevelSize(hull, GL_TEXTURE_WIDTH), 4);
  EXPECT_EQ(TextureLevelSize(hull, GL_TEXTURE_HEIGHT), 2);
  EXPECT_EQ(TextureLevelSize(again, GL_TEXTURE_WIDTH), 4);
  EXPECT_EQ(model->faces[2].texture, 0u);
  EXPECT_NE(log.find("T3: [lost.bmp]\r\nCannot load texture file [lost.bmp] \r\n"), std::string::npos) << log;
  EXPECT_NE(log.find("Faces: 2 (+1 we count from zero..)\r\nDone!\r\n"), std::string::npos) << log;
}

}  // namespace
