#include "report/views/DocumentRenderer.h"

#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QSaveFile>
#include <QTextDocument>
#include <QUrl>

#include "model/Errors.h"

namespace vrx {

namespace {

// A font every Debian desktop has and that covers Cyrillic; the PDF embeds the glyphs it uses.
const char kFontFamily[] = "DejaVu Sans";
constexpr int kFontPoints = 10;
constexpr int kGridPoints = 8;
constexpr double kMarginMm = 15;
// The picture's width in the layout's pixels (the text is about 680 wide on A4).
constexpr int kPictureWidth = 420;
const char kPictureUrl[] = "document:picture";

QString Html(QString text) {
  return text.toHtmlEscaped().replace(QStringLiteral("\r\n"), QStringLiteral("<br>"));
}

struct HtmlWriter {
  QTextDocument& document;
  QString html;
  int pictures = 0;

  void operator()(const DocumentHeading& heading) {
    html += QStringLiteral("<h3>%1</h3>").arg(Html(heading.text));
  }
  void operator()(const DocumentRows& rows) {
    html += QStringLiteral("<table width=\"100%\" cellspacing=\"0\" cellpadding=\"2\">");
    for (const auto& [caption, value] : rows.rows) {
      // A caption on one line, so that its value stands beside it.
      html += QStringLiteral(
                  "<tr><td width=\"45%\" style=\"white-space: nowrap\">%1</td><td>%2</td></tr>")
                  .arg(Html(caption), Html(value));
    }
    html += QStringLiteral("</table>");
  }
  void operator()(const DocumentTable& table) {
    // The grids are as wide as the page and set smaller, so that a row stays on its line.
    html += QStringLiteral(
                "<table width=\"100%\" border=\"1\" cellspacing=\"0\" cellpadding=\"2\" "
                "style=\"border-collapse: collapse; font-size: %1pt\"><tr>")
                .arg(kGridPoints);
    for (const QString& title : table.titles)
      html += QStringLiteral("<th>%1</th>").arg(Html(title));
    html += QStringLiteral("</tr>");
    for (const QStringList& row : table.rows) {
      html += QStringLiteral("<tr>");
      for (const QString& cell : row)
        html += QStringLiteral("<td style=\"white-space: nowrap\">%1</td>").arg(Html(cell));
      html += QStringLiteral("</tr>");
    }
    html += QStringLiteral("</table>");
  }
  void operator()(const DocumentText& text) {
    html += QStringLiteral("<p>%1</p>").arg(Html(text.text));
  }
  void operator()(const DocumentPicture& picture) {
    const QImage image(picture.pixels.data(), picture.width, picture.height, picture.width * 3,
                       QImage::Format_RGB888);
    const QString url = QString::fromLatin1(kPictureUrl) + QString::number(pictures++);
    document.addResource(QTextDocument::ImageResource, QUrl(url), image.copy());
    html += QStringLiteral("<p align=\"center\"><img src=\"%1\" width=\"%2\"></p>")
                .arg(url)
                .arg(kPictureWidth);
  }
  void operator()(const DocumentSignatures& signatures) {
    for (const QString& role : signatures.roles) {
      html += QStringLiteral(
                  "<p><br>%1<br><br>_______________ / _______________________ /"
                  "&nbsp;&nbsp;&nbsp;&nbsp;«____» ______________ 20____ г.<br>"
                  "<span style=\"font-size: %2pt\">(подпись)&nbsp;&nbsp;&nbsp;&nbsp;"
                  "&nbsp;&nbsp;&nbsp;&nbsp;(фамилия, инициалы)&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;"
                  "&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;"
                  "(дата)</span></p>")
                  .arg(Html(role))
                  .arg(kGridPoints);
    }
  }
};

// The document as rich text; QTextDocument::print lays it out on the pages of the device.
void Compose(const Document& source, QTextDocument& target) {
  QFont font(QString::fromLatin1(kFontFamily));
  font.setPointSize(kFontPoints);
  target.setDefaultFont(font);
  HtmlWriter writer{target, QStringLiteral("<h2 align=\"center\">%1</h2>").arg(Html(source.title))};
  for (const DocumentBlock& block : source.blocks)
    std::visit(writer, block);
  target.setHtml(writer.html);
}

QPageLayout A4Layout() {
  return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                     QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                     QPageLayout::Millimeter);
}

}  // namespace

void WritePdfFile(const Document& document, const QString& path) {
  QSaveFile file(path);
  const auto failed = [&file, &path] {
    return EOwned(
        QStringLiteral("Не удалось сохранить документ \"%1\": %2").arg(path, file.errorString()));
  };
  if (!file.open(QIODevice::WriteOnly))
    throw failed();
  {
    QPdfWriter writer(&file);
    writer.setPageLayout(A4Layout());
    writer.setTitle(document.title);
    writer.setCreator(QStringLiteral("VRX-Сервис"));
    QTextDocument text;
    Compose(document, text);
    text.print(&writer);
  }
  if (!file.commit())
    throw failed();
}

void PrintWithPreview(const Document& document, QWidget* parent) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageLayout(A4Layout());
  printer.setDocName(document.title);
  QTextDocument text;
  Compose(document, text);
  QPrintPreviewDialog preview(&printer, parent);
  preview.setObjectName(QStringLiteral("PrintPreviewDialog"));
  QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                   [&text](QPrinter* target) { text.print(target); });
  preview.exec();
}

}  // namespace vrx
