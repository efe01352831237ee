#include "model/material_library.h"

#include <cstdint>

#include "model/regular_file.h"
#include "model/text_reading.h"
#include "model/texture_loader.h"
#include "platform/log.h"

namespace {

constexpr int64_t kLastMaterialSlot = kMaterialSlots - 1;

// Where the lines of the current material go: nowhere once the table is full.
Material* SlotAt(MaterialTable& table, int64_t materialCounter) {
  return materialCounter <= kLastMaterialSlot ? &table[static_cast<std::size_t>(materialCounter)] : nullptr;
}

}  // namespace

std::string MaterialLibraryName(std::string_view modelFileName) {
  const std::size_t keep = modelFileName.size() > 4 ? modelFileName.size() - 4 : 0;
  std::string name(modelFileName.substr(0, keep));
  name += ".mtl";
  return name;
}

void ReadMaterialLibrary(std::string_view modelFileName, MaterialTable& table) {
  const std::string libraryName = MaterialLibraryName(modelFileName);
  OwnedFile file(OpenRegularFile(libraryName));
  if (!file) {
    LogWrite("Could not open the material file ", false);
    LogWrite(libraryName, true);
    return;
  }

  LineReader reader;
  StartReading(reader, file.get());
  std::string message;
  // Lines before the first material go to slot 0, which no selection visits.
  int64_t materialCounter = 0;
  while (!AtEndOfText(reader)) {
    const std::string_view line = ReadTextLine(reader);

    if (StartsWith(line, "newmtl ")) {
      ++materialCounter;
      const std::string_view name = line.substr(7);
      LogWrite("", true);
      message.assign("M: [").append(name).append("]");
      LogWrite(message, false);
      if (Material* slot = SlotAt(table, materialCounter)) slot->name.assign(name);
    }

    if (StartsWith(line, "map_Kd ")) {
      const std::string_view textureFile = line.substr(7);
      message.assign("T");
      AppendDecimal(message, materialCounter);
      message.append(": [").append(textureFile).append("]");
      LogWrite(message, true);
      // A material beyond the table loads no texture: nothing could ever use it.
      if (Material* slot = SlotAt(table, materialCounter)) slot->texture = LoadTexture(std::string(textureFile));
    }

    if (StartsWith(line, "Kd ")) {
      message.assign("Dif");
      AppendDecimal(message, materialCounter);
      message.append(": [").append(line.substr(3)).append("]");
      LogWrite(message, true);
      Material* slot = SlotAt(table, materialCounter);
      float* components[3] = {nullptr, nullptr, nullptr};
      if (slot != nullptr) components[0] = &slot->red, components[1] = &slot->green, components[2] = &slot->blue;
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
    }
  }

  if (materialCounter > kLastMaterialSlot) {
    message.assign("Ignored ");
    AppendDecimal(message, materialCounter - kLastMaterialSlot);
    message.append(" materials beyond the first ");
    AppendDecimal(message, kLastMaterialSlot);
    LogWrite(message, true);
  }
}
