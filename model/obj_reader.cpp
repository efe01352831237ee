#include "model/obj_reader.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "model/material_library.h"
#include "model/regular_file.h"
#include "model/text_reading.h"
#include "platform/log.h"

namespace {

constexpr int64_t kLastEntry64 = kLastEntry;
constexpr int64_t kFaceCapacity64 = kFaceCapacity;
constexpr int64_t kCornerCapacity64 = kCornerCapacity;

// Progress text of the model lines not yet handed to LogWrite. Handing it
// over in large pieces instead of one call per line keeps the cost of the
// account close to that of copying its bytes. Its storage only grows, and
// each writer makes room first, so the pieces go in without further checks.
struct PendingLog {
  std::vector<char> bytes;
  std::size_t used = 0;
};

// Larger than the log's own buffer, so that each piece goes straight out.
constexpr std::size_t kLogHandOverSize = std::size_t{1} << 17;
// The bytes that LogWrite puts after a text written with a line end.
constexpr std::string_view kLogLineEnd = "\r\n";

void HandOver(PendingLog& log) {
  if (log.used > 0) LogWrite(std::string_view(log.bytes.data(), log.used), false);
  log.used = 0;
}

// A line of many fields hands its text over as it goes, so the storage stays
// in proportion to the largest field, not to the longest line.
void Grow(PendingLog& log, std::size_t extra) {
  if (log.used >= kLogHandOverSize) HandOver(log);
  if (log.bytes.size() - log.used < extra) log.bytes.resize(std::max(2 * log.bytes.size(), log.used + extra));
}

// Room for extra bytes, and for a whole-word copy that runs past them.
inline void MakeRoom(PendingLog& log, std::size_t extra) {
  extra += kLinePadding;
  if (log.bytes.size() - log.used < extra) Grow(log, extra);
}

void Put(PendingLog& log, std::string_view text) {
  std::memcpy(log.bytes.data() + log.used, text.data(), text.size());
  log.used += text.size();
}

// "[field]" or "{part}". One pointer walks the bytes: stores through a char
// pointer would otherwise make every step reload the buffer's place.
void PutEnclosed(PendingLog& log, char open, std::string_view text, char close) {
  char* out = log.bytes.data() + log.used;
  out[0] = open;
  // Most fields are short: one fixed-size copy, which may run into the line's
  // padding and past the room it fills, is cheaper than a copy of exact size.
  if (text.size() <= kLinePadding) {
    std::memcpy(out + 1, text.data(), kLinePadding);
  } else {
    std::memcpy(out + 1, text.data(), text.size());
  }
  out[text.size() + 1] = close;
  log.used += text.size() + 2;
}

void EndLogLine(PendingLog& log) {
  MakeRoom(log, kLogLineEnd.size());
  Put(log, kLogLineEnd);
  if (log.used >= kLogHandOverSize) HandOver(log);
}

// What one call of LoadModel knows while it reads the model file. Counters are
// 64-bit so that a file of any length counts its lines without overflow.
struct ObjReading {
  Model* model = nullptr;
  const MaterialTable* materials = nullptr;
  int64_t nextVertex = 1;  // entry the next vertex line fills
  int64_t nextNormal = 1;
  int64_t nextTexCoord = 1;
  int64_t nextFace = 0;    // index the next face line fills
  int64_t ignoredCorners = 0;
  uint32_t currentTexture = 0;
  float currentRed = 0.0f;
  float currentGreen = 0.0f;
  float currentBlue = 0.0f;
  PendingLog log;
};

// Every slot with the wanted name is taken in turn, so the last one decides.
void SelectMaterial(ObjReading& reading, std::string_view wanted) {
  reading.currentTexture = 0;
  for (int slot = 1; slot < kMaterialSlots; ++slot) {
    const Material& material = (*reading.materials)[static_cast<std::size_t>(slot)];
    if (material.name != wanted) continue;
    reading.currentTexture = material.texture;
    reading.currentRed = material.red;
    reading.currentGreen = material.green;
    reading.currentBlue = material.blue;
    MakeRoom(reading.log, 7 + material.name.size());
    Put(reading.log, "Using: ");
    Put(reading.log, material.name);
    EndLogLine(reading.log);
  }
}

// Logs the fields of a vertex, normal or texture-coordinate line from index
// start and stores the first components.size() of them into components (no
// store when components are null: the entry lies beyond the record).
template <typename Separators>
void ReadComponents(ObjReading& reading, std::string_view line, std::size_t start, Separators separators,
                    float* const* components, int componentCount) {
  int64_t fieldNumber = 0;
  SplitFields(line, start, separators, [&](std::string_view field) {
    MakeRoom(reading.log, field.size() + 2);
    PutEnclosed(reading.log, '[', field, ']');
    if (fieldNumber < componentCount && components[fieldNumber] != nullptr) {
      *components[fieldNumber] = RoundToFloat(ParseNumber(field));
    }
    ++fieldNumber;
  });
}

void ReadVertexLine(ObjReading& reading, std::string_view line) {
  MakeRoom(reading.log, 2);
  Put(reading.log, "V ");
  float* components[3] = {nullptr, nullptr, nullptr};
  if (reading.nextVertex <= kLastEntry64) {
    Vec3& entry = reading.model->vertices[reading.nextVertex];
    components[0] = &entry.x, components[1] = &entry.y, components[2] = &entry.z;
  }
  ReadComponents(reading, line, 2, SpaceOnly{}, components, 3);
  ++reading.nextVertex;
}

void ReadNormalLine(ObjReading& reading, std::string_view line) {
  MakeRoom(reading.log, 3);
  Put(reading.log, "VN ");
  float* components[3] = {nullptr, nullptr, nullptr};
  if (reading.nextNormal <= kLastEntry64) {
    Vec3& entry = reading.model->normals[reading.nextNormal];
    components[0] = &entry.x, components[1] = &entry.y, components[2] = &entry.z;
  }
  ReadComponents(reading, line, 3, SpaceOnly{}, components, 3);
  ++reading.nextNormal;
}

void ReadTexCoordLine(ObjReading& reading, std::string_view line) {
  MakeRoom(reading.log, 3);
  Put(reading.log, "VT ");
  float* components[2] = {nullptr, nullptr};
  if (reading.nextTexCoord <= kLastEntry64) {
    Vec2& entry = reading.model->texCoords[reading.nextTexCoord];
    components[0] = &entry.u, components[1] = &entry.v;
  }
  ReadComponents(reading, line, 3, SpaceOrLineEnd{}, components, 2);
  ++reading.nextTexCoord;
}

// Each field is a corner; each corner's parts are vertex, texture-coordinate
// and normal index, in that order.
void ReadFaceLine(ObjReading& reading, std::string_view line) {
  MakeRoom(reading.log, 2);
  Put(reading.log, "F ");
  Face* face = reading.nextFace < kFaceCapacity64 ? &reading.model->faces[reading.nextFace] : nullptr;
  int64_t cornerNumber = 0;
  SplitFields(line, 2, SpaceOrLineEnd{}, [&](std::string_view corner) {
    // The corner in brackets, then its parts in braces: at most 3 bytes per
    // byte of the corner, and 3 for the brackets and the last part's braces.
    MakeRoom(reading.log, 3 * corner.size() + 4);
    PutEnclosed(reading.log, '[', corner, ']');
    // Corners beyond the face's capacity are logged but not stored.
    const bool stored = face != nullptr && cornerNumber < kCornerCapacity64;
    int32_t* indices[3] = {nullptr, nullptr, nullptr};
    if (stored) {
      indices[0] = &face->vertexIndex[cornerNumber];
      indices[1] = &face->texCoordIndex[cornerNumber];
      indices[2] = &face->normalIndex[cornerNumber];
    }
    int64_t partNumber = 0;
    SplitFields(corner, 0, SlashOnly{}, [&](std::string_view part) {
      PutEnclosed(reading.log, '{', part, '}');
      if (partNumber < 3 && indices[partNumber] != nullptr) *indices[partNumber] = RoundToIndex(ParseNumber(part));
      ++partNumber;
    });
    if (stored) {
      face->red = reading.currentRed;
      face->green = reading.currentGreen;
      face->blue = reading.currentBlue;
    }
    ++cornerNumber;
  });
  if (face != nullptr) {
    if (cornerNumber > kCornerCapacity64) {
      reading.ignoredCorners += cornerNumber - kCornerCapacity64;
      cornerNumber = kCornerCapacity64;
    }
    face->cornerCount = static_cast<int32_t>(cornerNumber);
    face->texture = reading.currentTexture;
  }
  ++reading.nextFace;
}

// The rules are tried in this order on every line. Material selection sees
// the line as read; the numbered kinds see it as if a space followed it, so
// the end of the line ends its last field. Those four kinds exclude one another.
void ReadModelLine(ObjReading& reading, std::string_view line) {
  if (StartsWith(line, "usemtl ")) SelectMaterial(reading, line.substr(7));
  if (IsLineOfKind(line, "v")) {
    ReadVertexLine(reading, line);
  } else if (IsLineOfKind(line, "f")) {
    ReadFaceLine(reading, line);
  } else if (IsLineOfKind(line, "vn")) {
    ReadNormalLine(reading, line);
  } else if (IsLineOfKind(line, "vt")) {
    ReadTexCoordLine(reading, line);
  }
  EndLogLine(reading.log);  // every line of the file ends one log line
}

void ReportIgnored(int64_t count, std::string_view what, int64_t capacity, std::string_view unit = {}) {
  if (count <= 0) return;
  std::string message = "Ignored ";
  AppendDecimal(message, count);
  message.append(" ").append(what).append(" beyond the first ");
  AppendDecimal(message, capacity);
  message.append(unit);
  LogWrite(message, true);
}

void ReadModelFile(ObjReading& reading, std::FILE* file) {
  LineReader reader;
  StartReading(reader, file);
  reading.log.bytes.resize(2 * kLogHandOverSize);
  while (!AtEndOfText(reader)) ReadModelLine(reading, ReadTextLine(reader));
  HandOver(reading.log);

  const int64_t storedFaces = reading.nextFace < kFaceCapacity64 ? reading.nextFace : kFaceCapacity64;
  reading.model->lastFace = static_cast<int32_t>(storedFaces - 1);

  ReportIgnored(reading.nextVertex - 1 - kLastEntry64, "vertex lines", kLastEntry64);
  ReportIgnored(reading.nextNormal - 1 - kLastEntry64, "normal lines", kLastEntry64);
  ReportIgnored(reading.nextTexCoord - 1 - kLastEntry64, "texture coordinate lines", kLastEntry64);
  ReportIgnored(reading.nextFace - kFaceCapacity64, "face lines", kFaceCapacity64);
  ReportIgnored(reading.ignoredCorners, "corners", kCornerCapacity64, " of a face");

  std::string message = "Faces: ";
  AppendDecimal(message, reading.model->lastFace);
  message.append(" (+1 we count from zero..)");
  LogWrite(message, true);
}

}  // namespace

void LoadModel(const std::string& fileName, Model& model) {
  MaterialTable materials{};
  ReadMaterialLibrary(fileName, materials);

  LogWrite("Loading : ", false);
  LogWrite(fileName, true);

  if (OwnedFile file{OpenRegularFile(fileName)}) {
    ObjReading reading;
    reading.model = &model;
    reading.materials = &materials;
    ReadModelFile(reading, file.get());
  } else {
    // The record stays as it came, all zeros, lastFace included.
    LogWrite("Could not open the object file ", false);
    LogWrite(fileName, true);
  }

  LogWrite("Done!", true);
}
