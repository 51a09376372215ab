#pragma once

#include <cstdint>

namespace vrx::fuzz {

// What the first input byte of fuzz-modbus-replies asks the interface module for; the seed
// corpus records the emulator's replies to each.
enum ModbusAction : uint8_t {
  kReadInterfaceSettings,   // "Прочитать" of "Доп. интерфейс"
  kWriteInterfaceSettings,  // "Записать" of "Доп. интерфейс"
  kReadCurrentParams,  // "Считать" of "Текущие параметры" through the module
  kReadRq7Values,  // "Считать" of "Текущие параметры RQ" through the module
  kModbusActions
};

// fuzz-settings-image: the type byte (the 0-based row of the type table), the sub-version byte,
// then the settings image.
inline constexpr int kSettingsImageHeader = 2;

}  // namespace vrx::fuzz
