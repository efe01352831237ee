// A file name that is no valid UTF-8 opens the file it spells in the ANSI
// code page, as the files written in that code page name their textures.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

#include "model/regular_file.h"
#include "tests/support/files.h"

namespace {

using RegularFileWindows = InScratchDirectory;

TEST_F(RegularFileWindows, NameInTheAnsiCodePageOpensTheFileItSpells) {
  const wchar_t* name = L"h\u00fcll.bmp";  // "hüll.bmp"
  char ansi[32] = "";
  BOOL lost = FALSE;
  if (WideCharToMultiByte(CP_ACP, 0, name, -1, ansi, sizeof ansi, nullptr, &lost) == 0 || lost) {
    GTEST_SKIP() << "the ANSI code page " << GetACP() << " has no \u00fc";
  }
  // A single byte above 0x7F between ASCII letters: no UTF-8.
  ASSERT_EQ(std::string(ansi).size(), 8u) << "code page " << GetACP();
  std::FILE* out = _wfopen(name, L"wb");
  ASSERT_NE(out, nullptr);
  std::fputs("texels", out);
  std::fclose(out);

  const OwnedFile file = OpenRegularFile(ansi);
  ASSERT_NE(file, nullptr);
  char bytes[8] = "";
  EXPECT_EQ(std::fread(bytes, 1, sizeof bytes, file.get()), 6u);
  EXPECT_STREQ(bytes, "texels");
}

}  // namespace
