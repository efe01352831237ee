#include "model/material_library.h"

#include <cstdint>

#include "model/regular_file.h"
#include "model/text_reading.h"
#include "platform/log.h"

namespace {

constexpr int64_t kLastMaterialSlot = kMaterialSlots - 1;

// What one call of ReadMaterialLibrary knows while it reads the library.
struct MtlReading {
  MaterialTable* table = nullptr;
  TextureMaker makeTexture = nullptr;
  // Lines before the first material go to slot 0, which no selection visits.
  int64_t materialCounter = 0;
  std::string message;
  bool lineOpen = false;  // the last text written has no line end yet
};

// Where the lines of the current material go: nowhere once the table is full.
Material* CurrentSlot(MtlReading& reading) {
  if (reading.materialCounter > kLastMaterialSlot) return nullptr;
  return &(*reading.table)[static_cast<std::size_t>(reading.materialCounter)];
}

// "newmtl name": an empty log line, then "M: [name]" that the next message
// continues.
void ReadNewMaterialLine(MtlReading& reading, std::string_view line) {
  ++reading.materialCounter;
  const std::string_view name = line.substr(7);
  LogWrite("", true);
  reading.message.assign("M: [").append(name).append("]");
  LogWrite(reading.message, false);
  reading.lineOpen = true;
  if (Material* slot = CurrentSlot(reading)) slot->name.assign(name);
}

// "map_Kd file": the file name is used as it stands, options and all.
void ReadDiffuseMapLine(MtlReading& reading, std::string_view line) {
  const std::string_view textureFile = line.substr(7);
  reading.message.assign("T");
  AppendDecimal(reading.message, reading.materialCounter);
  reading.message.append(": [").append(textureFile).append("]");
  LogWrite(reading.message, true);
  reading.lineOpen = false;
  // A material beyond the table loads no texture: nothing could ever use it.
  if (Material* slot = CurrentSlot(reading)) slot->texture = reading.makeTexture(std::string(textureFile));
}

// "Kd r g b": each field logged in braces; the first three are the colour, and
// a component without a field keeps its value.
void ReadDiffuseColourLine(MtlReading& reading, PaddedText line) {
  std::string& message = reading.message;
  message.assign("Dif");
  AppendDecimal(message, reading.materialCounter);
  message.append(": [").append(std::string_view(line).substr(3)).append("]");
  LogWrite(message, true);
  Material* slot = CurrentSlot(reading);
  float* const components[3] = {slot ? &slot->red : nullptr, slot ? &slot->green : nullptr,
                                slot ? &slot->blue : nullptr};
  int64_t fieldNumber = 0;
  // The end of the line ends its last field, as a space appended to it would.
  SplitFields(line, 3, SpaceOnly{}, [&](std::string_view field) {
    message.assign("{").append(field).append("}");
    LogWrite(message, false);
    if (fieldNumber < 3 && components[fieldNumber] != nullptr) {
      *components[fieldNumber] = RoundToFloat(ParseNumber(field));
    }
    ++fieldNumber;
  });
  reading.lineOpen = true;  // the fields have no line end of their own
}

// Each test is made on every line; no line can pass two of them.
void ReadLibraryLine(MtlReading& reading, PaddedText line) {
  if (StartsWith(line, "newmtl ")) ReadNewMaterialLine(reading, line);
  if (StartsWith(line, "map_Kd ")) ReadDiffuseMapLine(reading, line);
  if (StartsWith(line, "Kd ")) ReadDiffuseColourLine(reading, line);
}

}  // namespace

std::string MaterialLibraryName(std::string_view modelFileName) {
  const std::size_t keep = modelFileName.size() > 4 ? modelFileName.size() - 4 : 0;
  std::string name(modelFileName.substr(0, keep));
  name += ".mtl";
  return name;
}

bool ReadMaterialLibrary(std::string_view modelFileName, MaterialTable& table, TextureMaker makeTexture) {
  const std::string libraryName = MaterialLibraryName(modelFileName);
  const OwnedFile file = OpenRegularFile(libraryName);
  if (!file) {
    LogWrite("Could not open the material file ", false);
    LogWrite(libraryName, true);
    return true;
  }

  MtlReading reading;
  reading.table = &table;
  reading.makeTexture = makeTexture;
  LineReader reader;
  StartReading(reader, file.get());
  while (!AtEndOfText(reader)) ReadLibraryLine(reading, ReadTextLine(reader));

  if (reading.materialCounter > kLastMaterialSlot) {
    // On a line of its own, not after the last material's name.
    if (reading.lineOpen) LogWrite("", true);
    reading.message.assign("Ignored ");
    AppendDecimal(reading.message, reading.materialCounter - kLastMaterialSlot);
    reading.message.append(" materials beyond the first ");
    AppendDecimal(reading.message, kLastMaterialSlot);
    LogWrite(reading.message, true);
    return false;
  }
  return true;
}
