#pragma once

#include <QByteArray>
#include <cstdint>
#include <vector>

#include "link/ConnectionState.h"
#include "link/InstrumentBuffer.h"
#include "model/Catalogue.h"

namespace vrx::test {

// Catalogue rows of one version of each model.
inline constexpr int kL1Type = 1;   // VRX-L1-1.1, family code 0, list A
inline constexpr int kL1bType = 4;  // VRX-L1-2.2, family code 3, list B
inline constexpr int kL2Type = 5;
inline constexpr int kL3Type = 11;
inline constexpr int kL5Type = 17;
inline constexpr int kL12Type = 28;
inline constexpr int kL13Type = 34;

// The connection state an identification of that catalogue row leaves behind.
inline ConnectionState StateFor(int typeIndex, uint8_t subVersion = 30) {
  const TDeviceRecord& type = DeviceTypeAt(typeIndex);
  ConnectionState state;
  state.DeviceType = &type;
  state.Family = &FamilyOf(type);
  state.TypeIndex = typeIndex;
  state.Layout = type.Layout;
  state.VersionByte = type.VersionCodes[0];
  state.SubVersion = subVersion;
  return state;
}

// A buffer whose every byte is the same.
inline InstrumentBuffer Filled(uint8_t value) {
  InstrumentBuffer buffer;
  buffer.bytes.fill(value);
  return buffer;
}

inline std::vector<uint8_t> Hex(const char* hex) {
  const QByteArray bytes = QByteArray::fromHex(hex);
  return {bytes.begin(), bytes.end()};
}

// The bytes at 1-based positions first .. first + count - 1.
inline std::vector<uint8_t> BytesAt(const InstrumentBuffer& buffer, int first, int count) {
  return {buffer.bytes.begin() + first - 1, buffer.bytes.begin() + first - 1 + count};
}

}  // namespace vrx::test
