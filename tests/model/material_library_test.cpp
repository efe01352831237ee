// The material library: its name, its slots, its messages and its textures.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "model/material_library.h"
#include "tests/support/bmp_files.h"
#include "tests/support/captured_log.h"
#include "tests/support/files.h"
#include "tests/support/stand_in_texture.h"

namespace {

TEST(MaterialLibraryName, TheModelNameLessFourCharactersAndMtl) {
  EXPECT_EQ(MaterialLibraryName("enterprise.obj"), "enterprise.mtl");
  EXPECT_EQ(MaterialLibraryName("models/ship.obj"), "models/ship.mtl");
  EXPECT_EQ(MaterialLibraryName("abcdefghi"), "abcde.mtl");
  EXPECT_EQ(MaterialLibraryName("ship.o"), "sh.mtl");
  EXPECT_EQ(MaterialLibraryName("abcd"), ".mtl");
  EXPECT_EQ(MaterialLibraryName("abc"), ".mtl");
  EXPECT_EQ(MaterialLibraryName(""), ".mtl");
}

class MaterialLibraryTest : public InScratchDirectory {
 protected:
  void Read(const std::string& library) {
    WriteFile("ship.mtl", library);
    table = std::make_unique<MaterialTable>();
    firstName = kFirstStandInTexture + static_cast<uint32_t>(HandedImages().size());
    CapturedLog capture;
    ReadMaterialLibrary("ship.obj", *table, StandInTexture);
    log = capture.Text();
  }
  std::size_t UploadsSinceRead() const { return HandedImages().size() - (firstName - kFirstStandInTexture); }

  std::unique_ptr<MaterialTable> table;
  uint32_t firstName = 0;
  std::string log;
};

TEST_F(MaterialLibraryTest, MaterialsFillSlotsFromOneInOrder) {
  WriteFile("hull.bmp", GreyBmp(4, 2));
  Read("# three materials\n"
       "newmtl hull\nKa 1 1 1\nKd 0.5 0.25 0.125\nmap_Kd hull.bmp\n"
       "newmtl glass pane \nKd 0 0 1\n"
       "newmtl \n");
  EXPECT_EQ((*table)[1].name, "hull");
  EXPECT_EQ((*table)[1].red, 0.5f);
  EXPECT_EQ((*table)[1].green, 0.25f);
  EXPECT_EQ((*table)[1].blue, 0.125f);
  EXPECT_EQ((*table)[1].texture, firstName);
  EXPECT_EQ((*table)[2].name, "glass pane ");  // unchanged, trailing space included
  EXPECT_EQ((*table)[2].texture, 0u);
  EXPECT_EQ((*table)[2].blue, 1.0f);
  EXPECT_EQ((*table)[3].name, "");
  EXPECT_EQ((*table)[0].name, "");
  EXPECT_EQ(log,
            "\r\nM: [hull]Dif1: [0.5 0.25 0.125]\r\n"
            "{0.5}{0.25}{0.125}T1: [hull.bmp]\r\n"
            "\r\nM: [glass pane ]Dif2: [0 0 1]\r\n"
            "{0}{0}{1}"
            "\r\nM: []");
  ASSERT_EQ(UploadsSinceRead(), 1u);
  EXPECT_EQ(HandedImages().back().width, 4);
  EXPECT_EQ(HandedImages().back().height, 2);
}

TEST_F(MaterialLibraryTest, DuplicateNamesFillTwoSlots) {
  Read("newmtl twin\nKd 1 0 0\nnewmtl twin\nKd 0 1 0\n");
  EXPECT_EQ((*table)[1].name, "twin");
  EXPECT_EQ((*table)[2].name, "twin");
  EXPECT_EQ((*table)[1].red, 1.0f);
  EXPECT_EQ((*table)[2].green, 1.0f);
}

TEST_F(MaterialLibraryTest, TwoDiffuseMapsLoadBothAndKeepTheSecond) {
  WriteFile("a.bmp", GreyBmp(4, 1));
  WriteFile("b.bmp", GreyBmp(8, 1));
  Read("newmtl m\nmap_Kd a.bmp\nmap_Kd b.bmp\n");
  ASSERT_EQ(UploadsSinceRead(), 2u);
  EXPECT_EQ((*table)[1].texture, firstName + 1);
  EXPECT_EQ(log, "\r\nM: [m]T1: [a.bmp]\r\nT1: [b.bmp]\r\n");
}

TEST_F(MaterialLibraryTest, TwoColourLinesAndShortOrGappedOnes) {
  Read("newmtl m\nKd 0.1 0.2 0.3\nKd 0.4 0.5\n"
       "newmtl gap\nKd 1  2 3\n"
       "newmtl many\nKd 1 2 3 4 5\n"
       "newmtl tab\nKd 1\t2 3\n");
  // The second line gives red and green only; blue keeps the first line's value.
  EXPECT_EQ((*table)[1].red, 0.4f);
  EXPECT_EQ((*table)[1].green, 0.5f);
  EXPECT_EQ((*table)[1].blue, 0.3f);
  // Two spaces make an empty second field: green 0, blue the second number.
  EXPECT_EQ((*table)[2].red, 1.0f);
  EXPECT_EQ((*table)[2].green, 0.0f);
  EXPECT_EQ((*table)[2].blue, 2.0f);
  EXPECT_EQ((*table)[3].blue, 3.0f);
  EXPECT_EQ((*table)[4].red, 1.0f);
  EXPECT_EQ((*table)[4].green, 3.0f);
  EXPECT_EQ(log,
            "\r\nM: [m]Dif1: [0.1 0.2 0.3]\r\n{0.1}{0.2}{0.3}Dif1: [0.4 0.5]\r\n{0.4}{0.5}"
            "\r\nM: [gap]Dif2: [1  2 3]\r\n{1}{}{2}{3}"
            "\r\nM: [many]Dif3: [1 2 3 4 5]\r\n{1}{2}{3}{4}{5}"
            "\r\nM: [tab]Dif4: [1\t2 3]\r\n{1\t2}{3}");
}

TEST_F(MaterialLibraryTest, LinesBeforeTheFirstMaterialWriteSlotZero) {
  WriteFile("early.bmp", GreyBmp(4, 1));
  Read("Kd 1 1 1\nmap_Kd early.bmp\nnewmtl m\n");
  EXPECT_EQ((*table)[0].name, "");
  EXPECT_EQ((*table)[0].red, 1.0f);
  EXPECT_EQ((*table)[0].texture, firstName);
  EXPECT_EQ((*table)[1].red, 0.0f);
  EXPECT_EQ((*table)[1].texture, 0u);
  EXPECT_EQ(log, "Dif0: [1 1 1]\r\n{1}{1}{1}T0: [early.bmp]\r\n\r\nM: [m]");
}

TEST_F(MaterialLibraryTest, IndentedAndOtherCaseKeywordsAreIgnored) {
  WriteFile("hull.bmp", GreyBmp(4, 1));
  Read("newmtl m\n\tKd 1 1 1\n\tmap_Kd hull.bmp\n  Kd 1 1 1\nKD 1 1 1\nkd 1 1 1\nMap_Kd hull.bmp\n"
       "map_Kd\nKd\n NEWMTL x\n\tnewmtl y\nnewmtl\n");
  EXPECT_EQ((*table)[1].name, "m");
  EXPECT_EQ((*table)[1].red, 0.0f);
  EXPECT_EQ((*table)[1].texture, 0u);
  EXPECT_EQ((*table)[2].name, "");
  EXPECT_EQ(UploadsSinceRead(), 0u);
  EXPECT_EQ(log, "\r\nM: [m]");
}

TEST_F(MaterialLibraryTest, MapLineNameIsTakenWholeAndMayNameNoFile) {
  WriteFile("-s 1 1 1 hull.bmp", GreyBmp(4, 1));
  Read("newmtl m\nKd 1 0 0\nmap_Kd -s 1 1 1 hull.bmp\nmap_Kd nowhere/tex.bmp\nmap_Kd \n");
  EXPECT_EQ(UploadsSinceRead(), 1u);
  EXPECT_EQ((*table)[1].texture, 0u);  // the last line's texture: nothing could be opened
  EXPECT_EQ((*table)[1].red, 1.0f);
  EXPECT_EQ(log,
            "\r\nM: [m]Dif1: [1 0 0]\r\n{1}{0}{0}T1: [-s 1 1 1 hull.bmp]\r\n"
            "T1: [nowhere/tex.bmp]\r\nCannot load texture file [nowhere/tex.bmp] \r\n"
            "T1: []\r\nCannot load texture file [] \r\n");
}

TEST_F(MaterialLibraryTest, MissingOrUnreadableLibrary) {
  table = std::make_unique<MaterialTable>();
  CapturedLog capture;
  ReadMaterialLibrary("none.obj", *table, StandInTexture);
  std::filesystem::create_directory("folder.mtl");
  ReadMaterialLibrary("folder.obj", *table, StandInTexture);
  EXPECT_EQ(capture.Text(),
            "Could not open the material file none.mtl\r\n"
            "Could not open the material file folder.mtl\r\n");
  for (const Material& slot : *table) {
    EXPECT_EQ(slot.name, "");
    EXPECT_EQ(slot.texture, 0u);
    EXPECT_EQ(slot.red, 0.0f);
  }
}

TEST_F(MaterialLibraryTest, CarriageReturnLineEndsReadAlike) {
  Read("newmtl m\r\nKd 1 0.5 0\r\nnewmtl n\r\n");
  EXPECT_EQ((*table)[1].name, "m");
  EXPECT_EQ((*table)[1].green, 0.5f);
  EXPECT_EQ((*table)[2].name, "n");
}

}  // namespace

namespace {

using namespace std::string_literals;

// A name with a NUL byte names no file: the system would cut it at the NUL
// and open another file.
TEST_F(MaterialLibraryTest, ATextureNameWithANulByteCannotBeLoaded) {
  WriteFile("a", GreyBmp(4, 1));
  Read("newmtl m\nmap_Kd a\0b.bmp\n"s);
  EXPECT_EQ((*table)[1].texture, 0u);
  EXPECT_EQ(UploadsSinceRead(), 0u);
  EXPECT_NE(log.find("Cannot load texture file [a\0b.bmp] \r\n"s), std::string::npos);
}

}  // namespace
