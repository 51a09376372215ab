#pragma once

#include <QString>

#include "report/Document.h"

namespace vrx {

// The renderer the program writes PDF files with, installed once at its start (the companion's
// main installs that of views/, which the core libraries cannot link).
void InstallPdfWriter(PdfWriter writer);

// Writes through the installed renderer; std::logic_error while none is installed.
void WritePdf(const Document& document, const QString& path);

}  // namespace vrx
