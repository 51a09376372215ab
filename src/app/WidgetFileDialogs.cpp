#include "app/WidgetFileDialogs.h"

#include <QFileDialog>

namespace vrx {

QString WidgetFileDialogs::OpenFileName(const QString& caption, const QString& filter) {
  return QFileDialog::getOpenFileName(parent_, caption, QString(), filter);
}

QString WidgetFileDialogs::SaveFileName(const QString& caption, const QString& filter,
                                        const QString& suffix) {
  // The static helper cannot add a suffix to a bare name, so the dialog is built here.
  QFileDialog dialog(parent_, caption, QString(), filter);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(suffix);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
    return {};
  return dialog.selectedFiles().front();
}

}  // namespace vrx
