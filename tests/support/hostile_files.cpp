#include "tests/support/hostile_files.h"

#include <filesystem>

#include "model/model.h"
#include "tests/support/bmp_files.h"
#include "tests/support/files.h"

namespace {

// xorshift32: the same garbage for the same seed, on every machine.
struct Random {
  uint32_t state;
  uint32_t Next() {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
  }
  uint32_t Below(uint32_t limit) { return Next() % limit; }
};

// Index parts that no sound model holds: negative, zero, beyond the entries,
// beyond int32, beyond double, and not numbers at all.
const char* const kHostileIndices[] = {"-5", "0", "601", "99999", "2147483648", "-2147483649",
                                       "1e300", "-1e300", "1e400", "nan", "&HFFFFFFFFFFFFFFFF", ""};

}  // namespace

std::string GarbageBytes(std::size_t size, uint32_t seed) {
  Random random{seed | 1};
  std::string bytes(size, '\0');
  for (char& byte : bytes) byte = static_cast<char>(random.Next() >> 24);
  return bytes;
}

std::string GarbageLines(std::size_t lineCount, uint32_t seed) {
  static const char* const kStarts[] = {"v ", "vn ", "vt ", "f ", "usemtl ", "newmtl ", "Kd ", "map_Kd ",
                                        "v",  "f",   "",    "#",  " f ",     "\tKd "};
  static const char kPieces[] = {'\0', '\r', '\t', ' ', ' ', '/', '/', '&', 'H', 'd', 'e', '-', '.',
                                 '0',  '1',  '9',  '7', 'f', 'v', '\xff', '\x80'};
  Random random{seed | 1};
  std::string text;
  for (std::size_t line = 0; line < lineCount; ++line) {
    text += kStarts[random.Below(sizeof kStarts / sizeof kStarts[0])];
    const uint32_t length = random.Below(8) == 0 ? random.Below(4000) : random.Below(60);
    for (uint32_t i = 0; i < length; ++i) {
      // Mostly pieces that the field and number rules look at, some raw bytes.
      char c = random.Below(4) == 0 ? static_cast<char>(random.Next() >> 24) : kPieces[random.Below(sizeof kPieces)];
      if (c == '\n') c = ' ';
      text += c;
    }
    text += random.Below(3) == 0 ? "\r\n" : "\n";
  }
  return text;
}

std::string FaceLine(int cornerCount) {
  std::string line = "f";
  for (int corner = 1; corner <= cornerCount; ++corner) {
    const std::string n = std::to_string(corner);
    line += " " + n + "/" + n + "/" + n;
  }
  return line + "\n";
}

std::string OverflowingModel(const Overflow& overflow) {
  std::string text = "# beyond every capacity\r\nmtllib elsewhere.mtl\r\n";
  for (int i = 1; i <= overflow.vertexLines; ++i) {
    const float angle = static_cast<float>(i) * 0.7f;
    text += "v " + std::to_string(angle / 700.0f) + " " + std::to_string((i % 13) / 13.0f - 0.5f) + " " +
            std::to_string(-angle / 1000.0f) + "\n";
  }
  for (int i = 1; i <= overflow.normalLines; ++i) text += "vn 0 " + std::to_string(i) + " 1\r\n";
  for (int i = 1; i <= overflow.texCoordLines; ++i) text += "vt " + std::to_string(i % 7) + " 0.5 1\n";
  int material = 0;
  for (int face = 0; face < overflow.faceLines; ++face) {
    if (face % 30 == 0) text += "usemtl m" + std::to_string(material++ % 25 + 1) + "\n";
    if (face == 0) {
      text += FaceLine(overflow.bigCorners);
    } else if (face == kFaceCapacity - 1) {
      text += FaceLine(45);
    } else if (face == overflow.faceLines - 1) {
      text += FaceLine(44);
    } else if (face % 10 == 5) {
      // A face whose indices no entry answers to.
      const std::size_t count = sizeof kHostileIndices / sizeof kHostileIndices[0];
      const std::string bad = kHostileIndices[static_cast<std::size_t>(face / 10) % count];
      text += "f " + bad + "/" + bad + "/" + bad + " 1/" + bad + " " + bad + "//3\n";
    } else {
      const int a = face % 600 + 1;
      const int b = (face * 7) % 600 + 1;
      const int c = (face * 13) % 600 + 1;
      text += "f " + std::to_string(a) + "/" + std::to_string(a) + "/" + std::to_string(a) + " " +
              std::to_string(b) + "/" + std::to_string(b) + "/" + std::to_string(b) + " " + std::to_string(c) +
              "/" + std::to_string(c) + "/" + std::to_string(c) + "\n";
    }
  }
  return text;
}

std::vector<HostileTexture> HostileTextures() {
  using T = HostileTexture;
  return {{"garbage.bmp", T::kGarbage},  {"huge.bmp", T::kHugeSquare},    {"largest.bmp", T::kLargestSquare},
          {"minus.bmp", T::kMinusOne},   {"wide.bmp", T::kWideLine},      {"over.bmp", T::kJustOverLimit},
          {"short.bmp", T::kCutShort},   {"odd.bmp", T::kOddWidth},       {"empty.bmp", T::kEmpty},
          {"folder.bmp", T::kDirectory}, {"pipe.bmp", T::kPipe},          {"zero.bmp", T::kDevice},
          {"missing.bmp", T::kMissing}};
}

bool AsksTooMuch(HostileTexture::Kind kind) {
  return kind == HostileTexture::kLargestSquare || kind == HostileTexture::kWideLine ||
         kind == HostileTexture::kJustOverLimit;
}

void WriteHostileTextures(const std::string& directory) {
  for (const HostileTexture& texture : HostileTextures()) {
    const std::string path = directory + "/" + texture.name;
    switch (texture.kind) {
      case HostileTexture::kGarbage: WriteFile(path, GarbageBytes(100000, 7)); break;
      case HostileTexture::kHugeSquare:
        WriteFile(path, BmpHeader(INT32_MIN, INT32_MIN) + GarbageBytes(3000, 8));
        break;
      case HostileTexture::kLargestSquare: WriteFile(path, BmpHeader(INT32_MAX, INT32_MAX) + "\xff"); break;
      case HostileTexture::kMinusOne: WriteFile(path, BmpHeader(-1, -1) + GarbageBytes(300, 9)); break;
      case HostileTexture::kWideLine: WriteFile(path, BmpHeader(INT32_MAX, 1)); break;
      case HostileTexture::kJustOverLimit: WriteFile(path, BmpHeader(8193, 8192)); break;
      case HostileTexture::kCutShort: WriteFile(path, BmpHeader(64, 64) + GarbageBytes(1000, 10)); break;
      case HostileTexture::kOddWidth: WriteFile(path, GreyBmp(3, 3)); break;
      case HostileTexture::kEmpty: WriteFile(path, ""); break;
      case HostileTexture::kDirectory: std::filesystem::create_directory(path); break;
      case HostileTexture::kPipe:
      case HostileTexture::kDevice: MakeSpecialFile(path, texture.kind); break;
      case HostileTexture::kMissing: break;
    }
  }
}

std::string OverflowingLibrary(int materialCount, std::size_t garbageLines) {
  const std::vector<HostileTexture> textures = HostileTextures();
  std::string text = "# every material names a hostile texture\n";
  for (int i = 1; i <= materialCount; ++i) {
    const std::string n = std::to_string(i);
    text += "newmtl m" + n + "\nKa 1 1 1\nKd 0." + n + " 1e400 -1e39 7 8\n";
    text += "map_Kd " + textures[static_cast<std::size_t>(i - 1) % textures.size()].name + "\n";
  }
  return text + GarbageLines(garbageLines, 11);
}
