#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vrx::sim {

// Keeps an emulated instrument's settings block between runs, as a small text file:
//
//   vrx-sim state
//   type VRX-L13-2.2
//   0102030405060708090a0b0c0d0e0f10
//   ...
//
// the type name the block belongs to, then the block as hex, 16 bytes a line. When an interface
// module sits on the instrument's line, the line `iface` and its 70-byte register block follow,
// as hex in the same way. Every failure throws std::runtime_error with a message that names the
// file.
class StateFile {
 public:
  // `typeName` is the catalogue type name, or "RQ-7".
  StateFile(QString path, std::string typeName);

  const QString& Path() const { return path_; }

  // The saved block, or nothing when the file does not exist. Refuses a file that is not a state
  // file, belongs to another type or holds a block of another length than `expectedLength`.
  std::optional<std::vector<uint8_t>> Load(size_t expectedLength) const;
  // The saved register block of the interface module, or nothing when the file or its module
  // section does not exist. Refuses a block of another length.
  std::optional<std::vector<uint8_t>> LoadModule(size_t expectedLength) const;

  // Replaces the file atomically: a reader sees the old blocks or the new ones, never a mix.
  // An empty module block writes no module section.
  void Save(const std::vector<uint8_t>& block, const std::vector<uint8_t>& moduleBlock = {}) const;

 private:
  [[noreturn]] void Fail(const QString& what) const;
  // The hex lines of the instrument's block (module == false) or of the module's section.
  std::optional<std::vector<uint8_t>> ReadSection(bool module) const;

  QString path_;
  std::string typeName_;
};

}  // namespace vrx::sim
