#include "report/JpegImage.h"

#include <QFile>
#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

#include "model/Errors.h"

namespace vrx {
namespace {

// libjpeg reports a fatal error by calling error_exit, which must not return. It jumps back into
// DecodeInto, which is plain C-style code without objects that need destroying, and the message
// is turned into an exception there.
struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

void ErrorExit(j_common_ptr cinfo) {
  auto* manager = reinterpret_cast<ErrorManager*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, manager->message);
  std::longjmp(manager->jump, 1);
}

// Warnings (a corrupt but decodable stream) are kept quiet: the picture is shown as far as it
// decodes.
void OutputMessage(j_common_ptr) {}

// Returns false with manager.message set when libjpeg gives up. `pixels` is sized here, once the
// header is known, and filled row by row.
bool DecodeInto(const unsigned char* data, unsigned long size, ErrorManager& manager,
                RgbImage& image) {
  jpeg_decompress_struct cinfo{};
  cinfo.err = jpeg_std_error(&manager.pub);
  manager.pub.error_exit = ErrorExit;
  manager.pub.output_message = OutputMessage;
  if (setjmp(manager.jump) != 0) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, data, size);
  jpeg_read_header(&cinfo, TRUE);
  cinfo.out_color_space = JCS_RGB;
  jpeg_start_decompress(&cinfo);
  image.width = static_cast<int>(cinfo.output_width);
  image.height = static_cast<int>(cinfo.output_height);
  const size_t stride = static_cast<size_t>(cinfo.output_width) * 3;
  image.pixels.resize(stride * cinfo.output_height);
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = image.pixels.data() + stride * cinfo.output_scanline;
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return true;
}

}  // namespace

RgbImage DecodeJpeg(const QByteArray& data, const QString& source) {
  ErrorManager manager{};
  RgbImage image;
  if (!DecodeInto(reinterpret_cast<const unsigned char*>(data.constData()),
                  static_cast<unsigned long>(data.size()), manager, image))
    throw EOwned(QStringLiteral("Рисунок %1 не читается: %2")
                     .arg(source, QString::fromLocal8Bit(manager.message)));
  return image;
}

RgbImage LoadJpegFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly))
    throw EOwned(QStringLiteral("Не удалось открыть рисунок %1: %2").arg(path, file.errorString()));
  return DecodeJpeg(file.readAll(), path);
}

}  // namespace vrx
