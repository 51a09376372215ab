#include "report/PdfOutput.h"

#include <stdexcept>

namespace vrx {

namespace {

PdfWriter g_writer = nullptr;

}  // namespace

void InstallPdfWriter(PdfWriter writer) {
  g_writer = writer;
}

void WritePdf(const Document& document, const QString& path) {
  if (g_writer == nullptr)
    throw std::logic_error("no PDF renderer installed");
  g_writer(document, path);
}

}  // namespace vrx
