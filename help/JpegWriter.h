#pragma once

#include <QImage>
#include <QString>

namespace vrx {

// Encodes the image as a baseline JPEG file with libjpeg. Returns false with *error set when the
// file cannot be written.
bool WriteJpeg(const QImage& image, const QString& path, QString* error);

}  // namespace vrx
