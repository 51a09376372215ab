#pragma once

#include <QDialog>

namespace vrx {

// "О программе": the version, the instruments served, where the journal and the settings are
// kept (the paths can be selected and copied).
class TAboutForm : public QDialog {
  Q_OBJECT

 public:
  TAboutForm(const QString& journalFile, const QString& settingsFile, QWidget* parent = nullptr);
};

}  // namespace vrx
