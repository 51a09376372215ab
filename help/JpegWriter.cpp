#include "JpegWriter.h"

#include <QFile>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

namespace vrx {
namespace {

constexpr int kQuality = 92;

}  // namespace

bool WriteJpeg(const QImage& image, const QString& path, QString* error) {
  const QImage rgb = image.convertToFormat(QImage::Format_RGB888);

  jpeg_compress_struct cinfo{};
  jpeg_error_mgr jerr{};
  // The default error handler ends the generator with libjpeg's message, which is what a build
  // step should do on an encoder error.
  cinfo.err = jpeg_std_error(&jerr);
  jpeg_create_compress(&cinfo);

  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = static_cast<JDIMENSION>(rgb.width());
  cinfo.image_height = static_cast<JDIMENSION>(rgb.height());
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, kQuality, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    // libjpeg takes non-const rows but does not write to them.
    auto* row = const_cast<JSAMPLE*>(rgb.constScanLine(static_cast<int>(cinfo.next_scanline)));
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);

  QFile file(path);
  const bool written = file.open(QIODevice::WriteOnly) &&
                       file.write(reinterpret_cast<const char*>(buffer),
                                  static_cast<qint64>(size)) == static_cast<qint64>(size);
  std::free(buffer);
  if (!written)
    *error = file.errorString();
  return written;
}

}  // namespace vrx
