#include "model/obj_reader.h"

#include <cstdint>
#include <string_view>

#include "model/material_library.h"
#include "model/progress_text.h"
#include "model/regular_file.h"
#include "model/text_reading.h"
#include "platform/log.h"

namespace {

constexpr int64_t kLastEntry64 = kLastEntry;
constexpr int64_t kFaceCapacity64 = kFaceCapacity;
constexpr int64_t kCornerCapacity64 = kCornerCapacity;

// What one call of LoadModel knows while it reads the model file. Counters are
// 64-bit so that a file of any length counts its lines without overflow.
struct ObjReading {
  Model* model = nullptr;
  const MaterialTable* materials = nullptr;
  int64_t nextVertex = 1;  // entry the next vertex line fills
  int64_t nextNormal = 1;
  int64_t nextTexCoord = 1;
  int64_t nextFace = 0;    // index the next face line fills
  int64_t lineNumber = 0;  // of the line being read, from 1
  int64_t ignoredCorners = 0;
  uint32_t currentTexture = 0;
  float currentRed = 0.0f;
  float currentGreen = 0.0f;
  float currentBlue = 0.0f;
  PendingLog log;
  LoadSummary* summary = nullptr;
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

// Stores the values of the first fields of a vertex, normal or
// texture-coordinate line as the components; further fields are ignored.
template <typename Separators, std::size_t componentCount>
void StoreComponents(PaddedText line, std::size_t start, Separators separators,
                     float* const (&components)[componentCount]) {
  std::size_t fieldNumber = 0;
  SplitFields(line, start, separators, [&](std::string_view field) {
    if (fieldNumber < componentCount) *components[fieldNumber] = RoundToFloat(ParseNumber(field));
    ++fieldNumber;
  });
}

// Lines beyond the record's capacity are logged and counted, not stored.
void ReadVertexLine(ObjReading& reading, PaddedText line) {
  MakeRoom(reading.log, 2);
  Put(reading.log, "V ");
  PutFields<SpaceOnly>(reading.log, line, 2);
  if (reading.nextVertex <= kLastEntry64) {
    Vec3& entry = reading.model->vertices[reading.nextVertex];
    StoreComponents(line, 2, SpaceOnly{}, {&entry.x, &entry.y, &entry.z});
  }
  ++reading.nextVertex;
}

void ReadNormalLine(ObjReading& reading, PaddedText line) {
  MakeRoom(reading.log, 3);
  Put(reading.log, "VN ");
  PutFields<SpaceOnly>(reading.log, line, 3);
  if (reading.nextNormal <= kLastEntry64) {
    Vec3& entry = reading.model->normals[reading.nextNormal];
    StoreComponents(line, 3, SpaceOnly{}, {&entry.x, &entry.y, &entry.z});
  }
  ++reading.nextNormal;
}

void ReadTexCoordLine(ObjReading& reading, PaddedText line) {
  MakeRoom(reading.log, 3);
  Put(reading.log, "VT ");
  PutFields<SpaceOrLineEnd>(reading.log, line, 3);
  if (reading.nextTexCoord <= kLastEntry64) {
    Vec2& entry = reading.model->texCoords[reading.nextTexCoord];
    StoreComponents(line, 3, SpaceOrLineEnd{}, {&entry.u, &entry.v});
  }
  ++reading.nextTexCoord;
}

// Each field is a corner; each corner's parts are the vertex, texture-
// coordinate and normal index, in that order. Further parts are ignored, and
// an index without a part keeps its zero.
void StoreFace(ObjReading& reading, Face& face, PaddedText line) {
  int64_t cornerNumber = 0;
  SplitFields(line, 2, SpaceOrLineEnd{}, [&](PaddedText corner) {
    if (cornerNumber < kCornerCapacity64) {
      int32_t* const indices[3] = {&face.vertexIndex[cornerNumber], &face.texCoordIndex[cornerNumber],
                                   &face.normalIndex[cornerNumber]};
      int partNumber = 0;
      SplitFields(corner, 0, SlashOnly{}, [&](std::string_view part) {
        if (partNumber < 3) *indices[partNumber++] = RoundToIndex(ParseNumber(part));
      });
      // The colour is set by each corner: a face without corners keeps black.
      face.red = reading.currentRed;
      face.green = reading.currentGreen;
      face.blue = reading.currentBlue;
    }
    ++cornerNumber;
  });
  if (cornerNumber > kCornerCapacity64) {
    reading.ignoredCorners += cornerNumber - kCornerCapacity64;
    cornerNumber = kCornerCapacity64;
  }
  face.cornerCount = static_cast<int32_t>(cornerNumber);
  face.texture = reading.currentTexture;
}

void ReadFaceLine(ObjReading& reading, PaddedText line) {
  MakeRoom(reading.log, 2);
  Put(reading.log, "F ");
  PutCorners(reading.log, line);
  if (reading.nextFace < kFaceCapacity64) {
    StoreFace(reading, reading.model->faces[reading.nextFace], line);
    reading.summary->faceLines[static_cast<std::size_t>(reading.nextFace)] = reading.lineNumber;
  }
  ++reading.nextFace;
}

// The rules are tried in this order on every line. Material selection sees
// the line as read; the numbered kinds see it as if a space followed it, so
// the end of the line ends its last field. Those four kinds exclude one another.
void ReadModelLine(ObjReading& reading, PaddedText line) {
  if (StartsWith(line, "usemtl ")) SelectMaterial(reading, std::string_view(line).substr(7));
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

void ReportIgnored(LoadSummary& summary, int64_t count, std::string_view what, int64_t capacity,
                   std::string_view unit = {}) {
  if (count <= 0) return;
  summary.capacityExceeded = true;
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
  StartPendingLog(reading.log);
  while (!AtEndOfText(reader)) {
    ++reading.lineNumber;
    ReadModelLine(reading, ReadTextLine(reader));
  }
  HandOver(reading.log);

  const int64_t storedFaces = reading.nextFace < kFaceCapacity64 ? reading.nextFace : kFaceCapacity64;
  reading.model->lastFace = static_cast<int32_t>(storedFaces - 1);

  ReportIgnored(*reading.summary, reading.nextVertex - 1 - kLastEntry64, "vertex lines", kLastEntry64);
  ReportIgnored(*reading.summary, reading.nextNormal - 1 - kLastEntry64, "normal lines", kLastEntry64);
  ReportIgnored(*reading.summary, reading.nextTexCoord - 1 - kLastEntry64, "texture coordinate lines", kLastEntry64);
  ReportIgnored(*reading.summary, reading.nextFace - kFaceCapacity64, "face lines", kFaceCapacity64);
  ReportIgnored(*reading.summary, reading.ignoredCorners, "corners", kCornerCapacity64, " of a face");

  std::string message = "Faces: ";
  AppendDecimal(message, reading.model->lastFace);
  message.append(" (+1 we count from zero..)");
  LogWrite(message, true);
}

}  // namespace

LoadSummary LoadModel(const std::string& fileName, Model& model, TextureMaker makeTexture) {
  LoadSummary summary{};
  MaterialTable materials{};
  summary.capacityExceeded = !ReadMaterialLibrary(fileName, materials, makeTexture);

  LogWrite("Loading : ", false);
  LogWrite(fileName, true);

  if (const OwnedFile file = OpenRegularFile(fileName)) {
    ObjReading reading;
    reading.model = &model;
    reading.materials = &materials;
    reading.summary = &summary;
    summary.modelOpened = true;
    ReadModelFile(reading, file.get());
  } else {
    // The record stays as it came, all zeros, lastFace included.
    LogWrite("Could not open the object file ", false);
    LogWrite(fileName, true);
  }

  LogWrite("Done!", true);
  return summary;
}
