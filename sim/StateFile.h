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
// the type name the block belongs to, then the block as hex, 16 bytes a line. Every failure
// throws std::runtime_error with a message that names the file.
class StateFile {
 public:
  // `typeName` is the catalogue type name, or "RQ-7".
  StateFile(QString path, std::string typeName);

  const QString& Path() const { return path_; }

  // The saved block, or nothing when the file does not exist. Refuses a file that is not a state
  // file, belongs to another type or holds a block of another length than `expectedLength`.
  std::optional<std::vector<uint8_t>> Load(size_t expectedLength) const;

  // Replaces the file atomically: a reader sees the old block or the new one, never a mix.
  void Save(const std::vector<uint8_t>& block) const;

 private:
  [[noreturn]] void Fail(const QString& what) const;

  QString path_;
  std::string typeName_;
};

}  // namespace vrx::sim
