#include "app/WidgetFileDialogs.h"

#include <QFileDialog>

#include "session/FileFolders.h"
#include "session/RunContext.h"

namespace vrx {

QString WidgetFileDialogs::OpenFileName(const QString& caption, const FileKind& kind) {
  return Run(caption, kind, false);
}

QString WidgetFileDialogs::SaveFileName(const QString& caption, const FileKind& kind) {
  return Run(caption, kind, true);
}

QString WidgetFileDialogs::Run(const QString& caption, const FileKind& kind, bool save) {
  QString folder;
  context_.WithSettings([&](QSettings& settings) { folder = StartFolder(settings, kind.key); });
  // The static helpers cannot add a suffix to a bare name, so the dialog is built here.
  QFileDialog dialog(parent_, caption, folder, kind.filter);
  dialog.setObjectName(QStringLiteral("FileDialog"));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  if (save) {
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(kind.suffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, kind.continued);
  } else {
    dialog.setFileMode(QFileDialog::ExistingFile);
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
    return {};
  const QString path = dialog.selectedFiles().front();
  context_.WithSettings([&](QSettings& settings) { RememberFolder(settings, kind.key, path); });
  return path;
}

}  // namespace vrx
