#pragma once

#include <QDialog>
#include <vector>

#include "journal/JournalDatabase.h"
#include "session/RunContext.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

namespace vrx {

// "Журнал записей": the records of a journal, filtered by serial number and model ("Записей
// нет" when none match), the blocks of the selected one (a hint until one is chosen), and its
// restore after a confirmation.
class JournalDialog : public QDialog {
  Q_OBJECT

 public:
  JournalDialog(RunContext& context, JournalDatabase& journal, QWidget* parent = nullptr);

  // Reads the records that match the filter again.
  void Refresh();

 private:
  void ShowSelected();
  void RestoreSelected();
  const JournalRecord* Selected() const;

  RunContext& context_;
  JournalDatabase& journal_;
  std::vector<JournalRecord> records_;
  QLineEdit* edSerial_ = nullptr;
  QLineEdit* edModel_ = nullptr;
  QTableWidget* grRecords_ = nullptr;
  QLabel* lbNoRecords_ = nullptr;
  QPlainTextEdit* mmDetails_ = nullptr;
  QPushButton* bnRestore_ = nullptr;
};

}  // namespace vrx
