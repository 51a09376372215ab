#pragma once

#include <QImage>

#include "report/JpegImage.h"

namespace vrx {

// A decoded picture as a QImage that owns its pixels.
inline QImage ToQImage(const RgbImage& image) {
  return QImage(image.pixels.data(), image.width, image.height, image.width * 3,
                QImage::Format_RGB888)
      .copy();
}

}  // namespace vrx
