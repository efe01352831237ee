// The model file's line rules, material selection and the record they fill.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "model/obj_reader.h"
#include "tests/support/bmp_files.h"
#include "tests/support/captured_log.h"
#include "tests/support/files.h"
#include "tests/support/model_record.h"
#include "tests/support/stand_in_texture.h"

namespace {

class LoadModelTest : public InScratchDirectory {
 protected:
  // Writes the model file (and the library, unless null) and loads them.
  void Load(const std::string& obj, const char* mtl = nullptr) {
    WriteFile("enterprise.obj", obj);
    if (mtl != nullptr) WriteFile("enterprise.mtl", mtl);
    model = ZeroModel();
    CapturedLog capture;
    LoadModel("enterprise.obj", *model, StandInTexture);
    log = capture.Text();
  }

  // The log line that the model file's line number n (from 1) produced.
  std::string ModelLogLine(int n) const {
    std::size_t start = log.find("Loading : enterprise.obj\r\n");
    if (start == std::string::npos) return "<no Loading line>";
    start += std::strlen("Loading : enterprise.obj\r\n");
    for (int i = 1; i < n; ++i) start = log.find("\r\n", start) + 2;
    return log.substr(start, log.find("\r\n", start) - start);
  }

  std::unique_ptr<Model> model;
  std::string log;
};

TEST_F(LoadModelTest, VertexLineFillsTheEntryAtItsCounter) {
  Load("v 1 2 3\nv 4.5 -5 6e1\n");
  EXPECT_EQ(ModelLogLine(1), "V [1][2][3]");
  EXPECT_EQ(model->vertices[1].x, 1.0f);
  EXPECT_EQ(model->vertices[1].y, 2.0f);
  EXPECT_EQ(model->vertices[1].z, 3.0f);
  EXPECT_EQ(model->vertices[2].x, 4.5f);
  EXPECT_EQ(model->vertices[2].y, -5.0f);
  EXPECT_EQ(model->vertices[2].z, 60.0f);
  EXPECT_TRUE(AllZero(&model->vertices[0], sizeof(Vec3)));
  EXPECT_TRUE(AllZero(&model->vertices[3], sizeof(Vec3)));
}

TEST_F(LoadModelTest, EmptyFieldsShiftComponentsAndMissingOnesStayZero) {
  Load("v 1  2 3\nv 7 8\nv 1 2 3 4 5\nv 9 9 9\n");
  EXPECT_EQ(ModelLogLine(1), "V [1][][2][3]");
  EXPECT_EQ(model->vertices[1].x, 1.0f);
  EXPECT_EQ(model->vertices[1].y, 0.0f);
  EXPECT_EQ(model->vertices[1].z, 2.0f);
  EXPECT_EQ(model->vertices[2].x, 7.0f);
  EXPECT_EQ(model->vertices[2].y, 8.0f);
  EXPECT_EQ(model->vertices[2].z, 0.0f);
  EXPECT_EQ(ModelLogLine(3), "V [1][2][3][4][5]");
  EXPECT_EQ(model->vertices[3].z, 3.0f);
  EXPECT_EQ(model->vertices[4].x, 9.0f);  // every line advanced the counter
}

TEST_F(LoadModelTest, BarePrefixesAdvanceTheirCountersAndStoreNothing) {
  Load("v\nvn\nvt\nv 1 1 1\nvn 2 2 2\nvt 3 3\nf\n");
  EXPECT_EQ(ModelLogLine(1), "V ");
  EXPECT_EQ(ModelLogLine(2), "VN ");
  EXPECT_EQ(ModelLogLine(3), "VT ");
  EXPECT_EQ(ModelLogLine(7), "F ");
  EXPECT_TRUE(AllZero(&model->vertices[1], sizeof(Vec3)));
  EXPECT_EQ(model->vertices[2].x, 1.0f);
  EXPECT_EQ(model->normals[2].x, 2.0f);
  EXPECT_EQ(model->texCoords[2].u, 3.0f);
  EXPECT_EQ(model->lastFace, 0);
  EXPECT_EQ(model->faces[0].cornerCount, 0);
}

TEST_F(LoadModelTest, ALineOfOnePrefixWithItsSpaceHasOneEmptyField) {
  Load("v \nf \n");
  EXPECT_EQ(ModelLogLine(1), "V []");
  EXPECT_EQ(ModelLogLine(2), "F []{}");
  EXPECT_EQ(model->faces[0].cornerCount, 1);
  EXPECT_EQ(model->faces[0].vertexIndex[0], 0);
}

TEST_F(LoadModelTest, NormalsAndTextureCoordinates) {
  Load("vn 0 1 0 9\nvt 0.25 0.75 1 7\nvt 1\r0.5\nvn 0\r1 2\n");
  EXPECT_EQ(ModelLogLine(1), "VN [0][1][0][9]");
  EXPECT_EQ(ModelLogLine(2), "VT [0.25][0.75][1][7]");
  EXPECT_EQ(model->normals[1].y, 1.0f);
  EXPECT_EQ(model->texCoords[1].u, 0.25f);
  EXPECT_EQ(model->texCoords[1].v, 0.75f);
  // A CR separates texture-coordinate fields but not normal fields.
  EXPECT_EQ(ModelLogLine(3), "VT [1][0.5]");
  EXPECT_EQ(model->texCoords[2].u, 1.0f);
  EXPECT_EQ(model->texCoords[2].v, 0.5f);
  EXPECT_EQ(ModelLogLine(4), "VN [0\r1][2]");
  EXPECT_EQ(model->normals[2].x, 0.0f);
  EXPECT_EQ(model->normals[2].y, 2.0f);
}

TEST_F(LoadModelTest, KindsAreCountedIndependently) {
  Load("vt 1 1\nv 1 0 0\nvn 0 0 1\nv 2 0 0\nvt 2 2\nvn 0 0 2\nv 3 0 0\n");
  EXPECT_EQ(model->vertices[3].x, 3.0f);
  EXPECT_EQ(model->normals[2].z, 2.0f);
  EXPECT_EQ(model->texCoords[2].v, 2.0f);
}

TEST_F(LoadModelTest, FaceCornersAndTheirParts) {
  Load("f 1/2/3 4/5/6 7/8/9\nf 1//3 4/5 6\nf 1/2/3/4\n");
  EXPECT_EQ(ModelLogLine(1), "F [1/2/3]{1}{2}{3}[4/5/6]{4}{5}{6}[7/8/9]{7}{8}{9}");
  const Face& first = model->faces[0];
  EXPECT_EQ(first.cornerCount, 3);
  EXPECT_EQ(first.vertexIndex[0], 1);
  EXPECT_EQ(first.texCoordIndex[0], 2);
  EXPECT_EQ(first.normalIndex[0], 3);
  EXPECT_EQ(first.vertexIndex[2], 7);
  EXPECT_EQ(first.texCoordIndex[2], 8);
  EXPECT_EQ(first.normalIndex[2], 9);
  EXPECT_EQ(first.vertexIndex[3], 0);

  EXPECT_EQ(ModelLogLine(2), "F [1//3]{1}{}{3}[4/5]{4}{5}[6]{6}");
  const Face& second = model->faces[1];
  EXPECT_EQ(second.texCoordIndex[0], 0);
  EXPECT_EQ(second.normalIndex[0], 3);
  EXPECT_EQ(second.texCoordIndex[1], 5);
  EXPECT_EQ(second.normalIndex[1], 0);
  EXPECT_EQ(second.vertexIndex[2], 6);
  EXPECT_EQ(second.texCoordIndex[2], 0);
  EXPECT_EQ(second.normalIndex[2], 0);

  EXPECT_EQ(ModelLogLine(3), "F [1/2/3/4]{1}{2}{3}{4}");
  EXPECT_EQ(model->faces[2].cornerCount, 1);
  EXPECT_EQ(model->lastFace, 2);
}

TEST_F(LoadModelTest, TrailingSpaceAndDoubleSpaceAddCornersAtZero) {
  Load("f 1 2 3 \nf 1  2\n");
  EXPECT_EQ(ModelLogLine(1), "F [1]{1}[2]{2}[3]{3}[]{}");
  EXPECT_EQ(model->faces[0].cornerCount, 4);
  EXPECT_EQ(model->faces[0].vertexIndex[3], 0);
  EXPECT_EQ(model->faces[1].cornerCount, 3);
  EXPECT_EQ(model->faces[1].vertexIndex[1], 0);
  EXPECT_EQ(model->faces[1].vertexIndex[2], 2);
}

TEST_F(LoadModelTest, NumberFormsInCoordinates) {
  Load("v 1.5e2 1.5d2 &H10\nvt &b101 1,5\nv 1\t2 3\n");
  EXPECT_EQ(model->vertices[1].x, 150.0f);
  EXPECT_EQ(model->vertices[1].y, 150.0f);
  EXPECT_EQ(model->vertices[1].z, 16.0f);
  EXPECT_EQ(model->texCoords[1].u, 5.0f);
  EXPECT_EQ(model->texCoords[1].v, 1.0f);
  // A tab is no separator: it ends the number before it.
  EXPECT_EQ(ModelLogLine(3), "V [1\t2][3]");
  EXPECT_EQ(model->vertices[2].x, 1.0f);
  EXPECT_EQ(model->vertices[2].y, 3.0f);
}

TEST_F(LoadModelTest, CarriageReturnInsideALine) {
  Load("v 1\r2 3\nf 1\r2 3\n");
  EXPECT_EQ(ModelLogLine(1), "V [1\r2][3]");
  EXPECT_EQ(model->vertices[1].x, 1.0f);
  EXPECT_EQ(model->vertices[1].y, 3.0f);
  EXPECT_EQ(ModelLogLine(2), "F [1]{1}[2]{2}[3]{3}");
  EXPECT_EQ(model->faces[0].cornerCount, 3);
}

TEST_F(LoadModelTest, OnlyExactLowerCasePrefixesAtTheStartCount) {
  Load("V 1 2 3\n v 1 2 3\n\tv 1 2 3\nF 1 2 3\n f 1 2 3\nVN 1 2 3\nvn1 2 3\nv1 2 3\n# v 1 2 3\nusemtl\n");
  EXPECT_TRUE(AllZero(model->vertices, sizeof model->vertices));
  EXPECT_TRUE(AllZero(model->normals, sizeof model->normals));
  EXPECT_EQ(model->lastFace, -1);
  EXPECT_TRUE(AllZero(model->faces, sizeof model->faces));
  for (int n = 1; n <= 10; ++n) EXPECT_EQ(ModelLogLine(n), "") << n;
}

// The byte 0x1A, which reading in text mode on Windows takes for the end of
// the file, is a byte like any other: the face after it is loaded.
TEST_F(LoadModelTest, LineEndsOfEitherKindLoadTheSame) {
  const std::string lines[] = {"# a model", "usemtl hull", "v 1 2 3", "vt 0.5 0.5", "vn 0 0 1",
                               "v 4 5 6",   "f 1/1/1 2/1/1 1/1/1",  "", "\x1a", "f 2 1 2"};
  const char* library = "newmtl hull\nKd 0.5 0.25 1\n";
  std::string lf, crlf;
  for (const std::string& line : lines) lf += line + "\n", crlf += line + "\r\n";

  Load(lf, library);
  const std::unique_ptr<Model> fromLf = std::move(model);
  const std::string lfLog = log;
  Load(crlf, library);
  EXPECT_EQ(std::memcmp(fromLf.get(), model.get(), sizeof(Model)), 0);
  EXPECT_EQ(lfLog, log);

  // And without a line end after the last line.
  Load(crlf.substr(0, crlf.size() - 2), library);
  EXPECT_EQ(std::memcmp(fromLf.get(), model.get(), sizeof(Model)), 0);
  EXPECT_EQ(lfLog, log);
  EXPECT_EQ(model->lastFace, 1);
  EXPECT_EQ(model->faces[1].vertexIndex[2], 2);
}

TEST_F(LoadModelTest, FacesCountedFromZero) {
  Load("");
  EXPECT_EQ(model->lastFace, -1);
  EXPECT_EQ(log,
            "Could not open the material file enterprise.mtl\r\n"
            "Loading : enterprise.obj\r\n"
            "Faces: -1 (+1 we count from zero..)\r\n"
            "Done!\r\n");

  Load("f 1 1 1");
  EXPECT_EQ(model->lastFace, 0);
  EXPECT_NE(log.find("\r\nFaces: 0 (+1 we count from zero..)\r\nDone!\r\n"), std::string::npos) << log;
}

TEST_F(LoadModelTest, FacesTakeTheMaterialSelectedBeforeThem) {
  WriteFile("hull.bmp", GreyBmp(4, 2));
  Load("f 1 1 1\nusemtl hull\nf 1 1 1\nusemtl nothing\nf 1 1 1\nusemtl\nf 1 1 1\nf\n",
       "newmtl hull\nKd 0.5 0.25 1\nmap_Kd hull.bmp\n");
  const Face* faces = model->faces;
  // Before any selection: no texture, black.
  EXPECT_EQ(faces[0].texture, 0u);
  EXPECT_EQ(faces[0].red, 0.0f);
  EXPECT_EQ(faces[0].blue, 0.0f);
  // Selected: the slot's texture and colour.
  EXPECT_GE(faces[1].texture, kFirstStandInTexture);
  EXPECT_EQ(faces[1].red, 0.5f);
  EXPECT_EQ(faces[1].green, 0.25f);
  EXPECT_EQ(faces[1].blue, 1.0f);
  // No slot carries the name: texture 0, the colour stays.
  EXPECT_EQ(faces[2].texture, 0u);
  EXPECT_EQ(faces[2].red, 0.5f);
  EXPECT_EQ(faces[2].blue, 1.0f);
  // "usemtl" without its space is no selection: nothing changes.
  EXPECT_EQ(faces[3].texture, 0u);
  EXPECT_EQ(faces[3].green, 0.25f);
  // A face without corners takes the texture but never the colour.
  EXPECT_EQ(faces[4].cornerCount, 0);
  EXPECT_EQ(faces[4].red, 0.0f);
  EXPECT_NE(log.find("\r\nUsing: hull\r\n\r\nF [1]"), std::string::npos) << log;
  EXPECT_EQ(log.find("Using: nothing"), std::string::npos);
}

TEST_F(LoadModelTest, SelectionVisitsEverySlotAndTheLastMatchDecides) {
  WriteFile("a.bmp", GreyBmp(4, 1));
  WriteFile("b.bmp", GreyBmp(8, 1));
  const uint32_t firstName = kFirstStandInTexture + static_cast<uint32_t>(HandedImages().size());
  Load("usemtl twin\nf 1 1 1\nusemtl twin \nf 1 1 1\n",
       "newmtl twin\nKd 1 0 0\nmap_Kd a.bmp\nnewmtl other\nKd 0 1 0\nnewmtl twin\nKd 0 0 1\nmap_Kd b.bmp\n");
  EXPECT_NE(log.find("\r\nUsing: twin\r\nUsing: twin\r\n\r\nF "), std::string::npos) << log;
  ASSERT_EQ(HandedImages().size(), firstName - kFirstStandInTexture + 2);
  EXPECT_EQ(HandedImages().back().width, 8);
  EXPECT_EQ(model->faces[0].texture, firstName + 1);
  EXPECT_EQ(model->faces[0].red, 0.0f);
  EXPECT_EQ(model->faces[0].blue, 1.0f);
  // The name is taken with its trailing space: "twin " names no slot.
  EXPECT_EQ(model->faces[1].texture, 0u);
  EXPECT_EQ(model->faces[1].blue, 1.0f);
}

TEST_F(LoadModelTest, EmptyNameMatchesEverySlotTheLibraryLeftEmpty) {
  Load("usemtl hull\nusemtl \nf 1 1 1\n", "newmtl hull\nKd 1 1 1\nnewmtl\nnewmtl \n");
  // Slot 2 is named by "newmtl " with nothing after it; slots 3 to 20 are empty.
  std::string expected;
  for (int slot = 2; slot <= 20; ++slot) expected += "Using: \r\n";
  EXPECT_NE(log.find("Using: hull\r\n\r\n" + expected + "\r\n"), std::string::npos) << log;
  // The last match, slot 20, is empty: no texture, black.
  EXPECT_EQ(model->faces[0].texture, 0u);
  EXPECT_EQ(model->faces[0].red, 0.0f);
}

}  // namespace

namespace {

// The account of one model line, written the plain way from the line rules:
// a space appended, split one character at a time.
std::string PlainLogLine(const std::string& line) {
  const std::string extended = line + " ";
  auto split = [](const std::string& text, std::size_t start, const std::string& separators) {
    std::vector<std::string> fields;
    std::string field;
    for (std::size_t i = start; i < text.size(); ++i) {
      if (separators.find(text[i]) != std::string::npos) {
        fields.push_back(field);
        field.clear();
      } else {
        field += text[i];
      }
    }
    return fields;
  };
  std::string log;
  auto fieldsOf = [&](const char* label, std::size_t start, const std::string& separators) {
    log += label;
    for (const std::string& field : split(extended, start, separators)) log += "[" + field + "]";
  };
  if (extended.rfind("v ", 0) == 0) fieldsOf("V ", 2, " ");
  if (extended.rfind("vn ", 0) == 0) fieldsOf("VN ", 3, " ");
  if (extended.rfind("vt ", 0) == 0) fieldsOf("VT ", 3, std::string(" \r\n", 3));
  if (extended.rfind("f ", 0) == 0) {
    log += "F ";
    for (const std::string& corner : split(extended, 2, std::string(" \r\n", 3))) {
      log += "[" + corner + "]";
      for (const std::string& part : split(corner + "/", 0, "/")) log += "{" + part + "}";
    }
  }
  return log + "\r\n";
}

TEST_F(LoadModelTest, AccountOfAnyLineMatchesThePlainRules) {
  // Lines of every kind made of separators, tabs and number characters in
  // random runs, short and long, so that fields of every length end at every
  // offset of the reader's eight-byte steps.
  uint64_t state = 12345;
  auto next = [&state](uint32_t below) {
    state = state * 6364136223846793005u + 1442695040888963407u;
    return static_cast<uint32_t>(state >> 33) % below;
  };
  const char* const prefixes[] = {"v", "v ", "vn ", "vt ", "f ", "f", "vn", "x "};
  const std::string alphabet = std::string("1234567890.-e/ \r\t", 17);
  std::string obj;
  std::string expected;
  for (int i = 0; i < 3000; ++i) {
    std::string line = prefixes[next(8)];
    const uint32_t length = next(4) == 0 ? next(200) : next(40);
    for (uint32_t j = 0; j < length; ++j) line += alphabet[next(static_cast<uint32_t>(alphabet.size()))];
    if (!line.empty() && line.back() == '\r') line += '0';  // a CR before the LF would be a line end
    obj += line + "\n";
    expected += PlainLogLine(line);
  }
  Load(obj);
  const std::string header = "Could not open the material file enterprise.mtl\r\nLoading : enterprise.obj\r\n";
  ASSERT_EQ(log.rfind(header, 0), 0u);
  const std::size_t end = log.rfind("Faces: ");
  ASSERT_NE(end, std::string::npos);
  EXPECT_EQ(log.substr(header.size(), end - header.size()), expected);
}

}  // namespace
