#pragma once

#include <QTextBrowser>

namespace vrx {

class ChmArchive;

// Shows the pages of a compiled help file. Pages, style sheets and pictures are read from the
// archive under URLs "chm:/page.htm", so the links between pages resolve as in a folder;
// pictures are decoded with libjpeg; links to the outside open in the system's browser.
class HelpBrowser : public QTextBrowser {
  Q_OBJECT

 public:
  static constexpr const char* kScheme = "chm";

  explicit HelpBrowser(QWidget* parent = nullptr);

  // The archive the pages come from; the browser does not own it. Null shows nothing.
  void SetArchive(const ChmArchive* archive) { archive_ = archive; }

  // "chm:/4.htm#errors" for the archive path "/4.htm" and the fragment "errors".
  static QUrl PageUrl(const QString& pathWithFragment);

  QVariant loadResource(int type, const QUrl& name) override;

 private:
  const ChmArchive* archive_ = nullptr;
};

}  // namespace vrx
