#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace vrx {

// The interface module keeps its texts in the Windows-1251 code page. Both directions go through
// the C library's iconv; no code page table is kept here.

// The text's Windows-1251 bytes, or nothing when a character has no place in the code page.
std::optional<QByteArray> ToCp1251(const QString& text);
// The text of Windows-1251 bytes; the one byte the code page leaves undefined (0x98) reads as
// U+FFFD.
QString FromCp1251(const QByteArray& bytes);

}  // namespace vrx
