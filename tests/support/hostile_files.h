#pragma once
// Files that anyone could hand the viewer, made on the spot: binary garbage,
// garbage that starts with the readers' keywords, BMP headers that ask for
// absurd sizes, and models and libraries beyond every capacity of the record.
// Shared by the loader tests and the runs of the viewer binary.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// size bytes of every value 0..255, the same for the same seed.
std::string GarbageBytes(std::size_t size, uint32_t seed);

// lineCount lines that begin with one of the keywords of the model or the
// library (or with nothing), followed by garbage: NUL, CR, tab, slash, '&'
// and digits included. Lines end with LF or CR LF.
std::string GarbageLines(std::size_t lineCount, uint32_t seed);

// A face line of cornerCount corners "n/n/n", n counting from 1.
std::string FaceLine(int cornerCount);

// What an overflowing model holds beyond the record's capacities.
struct Overflow {
  int vertexLines;
  int normalLines;
  int texCoordLines;
  int faceLines;   // the first of them has bigCorners corners
  int bigCorners;
};
constexpr Overflow kEveryCapacityOverflowed = {700, 650, 620, 700, 10000};

// A model file of that many lines of each kind, selecting materials m1..m25
// in turn, with indices negative, zero, huge and written as 1e300 among them.
// Faces have three corners, except the first, the one in the record's last
// slot (45 corners) and the last one of all (44: beyond the record, its
// corners are not counted again).
std::string OverflowingModel(const Overflow& overflow);

// A texture file the library names, and how it is hostile.
struct HostileTexture {
  std::string name;
  enum Kind {
    kGarbage,           // random bytes
    kHugeSquare,        // header claims 2^31 x 2^31 (each reads as -2^31)
    kLargestSquare,     // 2^31-1 x 2^31-1
    kMinusOne,          // -1 x -1
    kWideLine,          // 2^31-1 x 1
    kJustOverLimit,     // 8193 x 8192: one row more than a texel buffer may hold
    kCutShort,          // 64 x 64, cut off inside the pixel data
    kOddWidth,          // 3 x 3 with padded rows: a sound texture
    kEmpty,             // no bytes at all
    kDirectory,         // a directory under the texture's name
    kPipe,              // a FIFO without a writer
    kDevice,            // a link to /dev/zero, which never ends
    kMissing,           // no such file
  } kind;
};
std::vector<HostileTexture> HostileTextures();

// Whether the texture's header asks for a texel buffer beyond what any texture may hold.
bool AsksTooMuch(HostileTexture::Kind kind);

// Writes every hostile texture into directory (nothing for kMissing).
void WriteHostileTextures(const std::string& directory);

// The pipe or the device link of those kinds, as the system makes them
// (special_files_posix.cpp, special_files_windows.cpp).
void MakeSpecialFile(const std::string& path, HostileTexture::Kind kind);

// A library of materialCount materials m1.., each with a colour beyond the
// float range and one of the hostile textures as its diffuse map, the names
// taken in turn, followed by garbageLines lines of garbage.
std::string OverflowingLibrary(int materialCount, std::size_t garbageLines);
