#include "app/HelpBrowser.h"

#include <QTextDocument>

#include "app/ChmArchive.h"
#include "app/QtImage.h"
#include "model/Errors.h"

namespace vrx {

HelpBrowser::HelpBrowser(QWidget* parent) : QTextBrowser(parent) {
  setObjectName(QStringLiteral("HelpBrowser"));
  setOpenExternalLinks(true);
}

QUrl HelpBrowser::PageUrl(const QString& pathWithFragment) {
  QString path = pathWithFragment;
  if (!path.startsWith(QLatin1Char('/')))
    path.prepend(QLatin1Char('/'));
  return QUrl(QString::fromLatin1(kScheme) + QLatin1Char(':') + path);
}

QVariant HelpBrowser::loadResource(int type, const QUrl& name) {
  if (name.scheme() != QLatin1String(kScheme) || archive_ == nullptr)
    return QTextBrowser::loadResource(type, name);
  const std::optional<QByteArray> data = archive_->Read(name.path());
  if (type == QTextDocument::ImageResource) {
    if (!data)
      return QVariant();
    try {
      return ToQImage(DecodeJpeg(*data, name.path()));
    } catch (const EOwned&) {
      return QVariant();  // the page shows without the picture
    }
  }
  if (!data) {
    if (type == QTextDocument::HtmlResource)
      return QStringLiteral(
                 "<html><body><h2>Раздел %1 не найден в файле справки.</h2></body></html>")
          .arg(name.path().toHtmlEscaped());
    return QVariant();
  }
  // The pages and style sheets are written in UTF-8.
  return QString::fromUtf8(*data);
}

}  // namespace vrx
