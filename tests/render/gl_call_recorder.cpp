// Stand-ins for the OpenGL calls the renderer makes: each one is written down
// as text, so that a test can compare the whole call sequence.
#include <GL/gl.h>

#include <sstream>
#include <string>
#include <vector>

std::vector<std::string>& RecordedCalls() {
  static std::vector<std::string> calls;
  return calls;
}

namespace {

template <typename... Args>
void Record(const char* call, Args... args) {
  std::ostringstream text;
  text << call;
  bool first = true;
  [[maybe_unused]] auto put = [&text, &first](auto value) {
    text << (first ? " " : ",") << value;
    first = false;
  };
  (put(args), ...);
  RecordedCalls().push_back(text.str());
}

}  // namespace

void glBindTexture(GLenum target, GLuint texture) { Record("bind", target, texture); }
void glColor3f(GLfloat red, GLfloat green, GLfloat blue) { Record("colour", red, green, blue); }
void glBegin(GLenum mode) { Record("begin", mode); }
void glNormal3f(GLfloat x, GLfloat y, GLfloat z) { Record("normal", x, y, z); }
void glTexCoord2f(GLfloat s, GLfloat t) { Record("texcoord", s, t); }
void glVertex3f(GLfloat x, GLfloat y, GLfloat z) { Record("vertex", x, y, z); }
void glEnd() { Record("end"); }
