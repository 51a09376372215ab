#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <variant>
#include <vector>

namespace vrx {

// A document the tool prints or saves as PDF, as plain data: the builders of src/report make it
// from what the tabs hold, and one renderer (views/) lays it out on A4 pages.

struct DocumentHeading {
  QString text;
};

// Captions with their values, one pair a line.
struct DocumentRows {
  std::vector<std::pair<QString, QString>> rows;
};

// A grid with a title row.
struct DocumentTable {
  QStringList titles;
  QList<QStringList> rows;
};

// A line of text.
struct DocumentText {
  QString text;
};

// A picture: 8-bit red, green and blue per pixel, rows from the top.
struct DocumentPicture {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> pixels;
};

// Lines to sign on: what signs, a line for the signature and one for the date.
struct DocumentSignatures {
  QStringList roles;
};

using DocumentBlock = std::variant<DocumentHeading, DocumentRows, DocumentTable, DocumentText,
                                   DocumentPicture, DocumentSignatures>;

struct Document {
  QString title;
  std::vector<DocumentBlock> blocks;
};

// Writes a document as a PDF file; the window and the companion install the renderer of
// views/ (it needs QtGui, which the builders do without). Throws EOwned naming the file when it
// cannot be written.
using PdfWriter = void (*)(const Document& document, const QString& path);

}  // namespace vrx
