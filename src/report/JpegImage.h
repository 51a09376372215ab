#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <vector>

namespace vrx {

// A decoded picture: 8-bit red, green and blue per pixel, rows from the top.
struct RgbImage {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> pixels;
};

// Decodes a JPEG picture held in memory with libjpeg. A stream libjpeg refuses throws EOwned
// with libjpeg's own reason after `source` (the file name, for the user).
RgbImage DecodeJpeg(const QByteArray& data, const QString& source);

// Reads and decodes a JPEG file. A file that cannot be read throws EOwned naming the file and
// the system's reason.
RgbImage LoadJpegFile(const QString& path);

}  // namespace vrx
