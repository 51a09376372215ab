#include "sim/StateFile.h"

#include <QByteArray>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>
#include <algorithm>
#include <stdexcept>
#include <utility>

#include "model/InputFile.h"

namespace vrx::sim {

namespace {

const QByteArray kHeader = "vrx-sim state";
const QByteArray kTypeKey = "type ";
const QByteArray kModuleKey = "iface";
constexpr int kBytesPerLine = 16;

bool IsHexLine(const QByteArray& line) {
  if (line.size() % 2 != 0) {
    return false;
  }
  for (char c : line) {
    const bool hex = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
    if (!hex) {
      return false;
    }
  }
  return true;
}

void AppendHex(QByteArray& text, const std::vector<uint8_t>& block) {
  for (size_t i = 0; i < block.size(); i += kBytesPerLine) {
    const size_t count = std::min<size_t>(kBytesPerLine, block.size() - i);
    text +=
        QByteArray(reinterpret_cast<const char*>(block.data() + i), static_cast<qsizetype>(count))
            .toHex() +
        '\n';
  }
}

}  // namespace

StateFile::StateFile(QString path, std::string typeName)
    : path_(std::move(path)), typeName_(std::move(typeName)) {}

std::optional<std::vector<uint8_t>> StateFile::ReadSection(bool module) const {
  if (!QFileInfo::exists(path_)) {
    return std::nullopt;
  }
  QString reason;
  const std::optional<QByteArray> text = ReadInputFile(path_, &reason);
  if (!text) {
    Fail(QStringLiteral("cannot be read: %1").arg(reason));
  }
  const QList<QByteArray> lines = text->split('\n');
  if (lines.size() < 2 || lines[0].trimmed() != kHeader || !lines[1].startsWith(kTypeKey)) {
    Fail(QStringLiteral("is not a vrx-sim state file"));
  }
  const QByteArray type = lines[1].mid(kTypeKey.size()).trimmed();
  // The type is named in the message, which a NUL would cut.
  if (std::any_of(type.begin(), type.end(), [](char c) { return c >= 0 && c < ' '; })) {
    Fail(QStringLiteral("has a control character in its type line"));
  }
  if (type.toStdString() != typeName_) {
    Fail(QStringLiteral("holds the settings of %1, not of %2")
             .arg(QString::fromUtf8(type), QString::fromStdString(typeName_)));
  }

  std::vector<uint8_t> block;
  bool inModule = false;
  for (qsizetype i = 2; i < lines.size(); ++i) {
    const QByteArray line = lines[i].trimmed();
    if (line == kModuleKey) {
      inModule = true;
      continue;
    }
    if (!IsHexLine(line)) {
      Fail(QStringLiteral("line %1 is not hex").arg(i + 1));
    }
    if (inModule == module) {
      const QByteArray bytes = QByteArray::fromHex(line);
      block.insert(block.end(), bytes.begin(), bytes.end());
    }
  }
  if (module && !inModule) {
    return std::nullopt;
  }
  return block;
}

std::optional<std::vector<uint8_t>> StateFile::Load(size_t expectedLength) const {
  std::optional<std::vector<uint8_t>> block = ReadSection(false);
  if (block && block->size() != expectedLength) {
    Fail(QStringLiteral("holds a settings block of %1 bytes, %2 has %3")
             .arg(block->size())
             .arg(QString::fromStdString(typeName_))
             .arg(expectedLength));
  }
  return block;
}

std::optional<std::vector<uint8_t>> StateFile::LoadModule(size_t expectedLength) const {
  std::optional<std::vector<uint8_t>> block = ReadSection(true);
  if (block && block->size() != expectedLength) {
    Fail(QStringLiteral("holds an interface module block of %1 bytes, not %2")
             .arg(block->size())
             .arg(expectedLength));
  }
  return block;
}

void StateFile::Save(const std::vector<uint8_t>& block,
                     const std::vector<uint8_t>& moduleBlock) const {
  QByteArray text = kHeader + '\n' + kTypeKey + QByteArray::fromStdString(typeName_) + '\n';
  AppendHex(text, block);
  if (!moduleBlock.empty()) {
    text += kModuleKey + '\n';
    AppendHex(text, moduleBlock);
  }
  // QSaveFile writes a temporary file beside the target and renames it over the target.
  QSaveFile file(path_);
  if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit()) {
    Fail(QStringLiteral("cannot be written: %1").arg(file.errorString()));
  }
}

void StateFile::Fail(const QString& what) const {
  throw std::runtime_error(QStringLiteral("state file %1 %2").arg(path_, what).toStdString());
}

}  // namespace vrx::sim
