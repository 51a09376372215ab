#pragma once

#include <QString>

#include "report/Document.h"

class QWidget;

namespace vrx {

// The one renderer of the documents: A4 portrait, the title, headings, caption-and-value rows,
// ruled tables and the picture, in a font with Cyrillic that the PDF carries with it.

// Writes the document as a PDF file, replacing it only when complete. Throws EOwned naming the
// file when it cannot be written. Needs a QGuiApplication (the companion's uses the offscreen
// platform).
void WritePdfFile(const Document& document, const QString& path);

// Shows Qt's print preview of the document, from which it is printed.
void PrintWithPreview(const Document& document, QWidget* parent);

}  // namespace vrx
