#include "journal/views/JournalDialog.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "journal/JournalRestore.h"
#include "journal/JournalText.h"
#include "widgets/views/DigitsValidator.h"

namespace vrx {

namespace {

const char* const kConfirmRestore =
    "Записать в прибор блок, сохраненный перед записью %1 (%2, заводской номер %3)?";
const char* const kRestored = "Запись %1 восстановлена.";
const char* const kNoRecords = "Записей нет";
const char* const kChooseRecord =
    "Выберите запись в списке: здесь появятся блок прибора до записи и записанный блок.";

QPushButton* Button(const char* name, const char* caption, QWidget* parent) {
  auto* button = new QPushButton(QString::fromUtf8(caption), parent);
  button->setObjectName(QString::fromLatin1(name));
  return button;
}

QLineEdit* Edit(const char* name, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QString::fromLatin1(name));
  return edit;
}

}  // namespace

JournalDialog::JournalDialog(RunContext& context, JournalDatabase& journal, QWidget* parent)
    : QDialog(parent), context_(context), journal_(journal) {
  setObjectName(QStringLiteral("fmJournal"));
  setWindowTitle(QStringLiteral("Журнал записей"));
  // The least size shows a few records and a whole block of the details.
  const QFontMetrics metrics = fontMetrics();
  setMinimumSize(metrics.averageCharWidth() * 90, metrics.lineSpacing() * 28);
  resize(minimumSize().expandedTo(QSize(900, 600)));

  edSerial_ = Edit("edSerial", this);
  // Serial numbers are whole numbers.
  edSerial_->setValidator(new DigitsValidator(edSerial_));
  edModel_ = Edit("edModel", this);
  auto* bnFilter = Button("bnFilter", "Показать", this);
  auto* filter = new QHBoxLayout;
  filter->addWidget(new QLabel(QStringLiteral("Заводской номер:"), this));
  filter->addWidget(edSerial_);
  filter->addWidget(new QLabel(QStringLiteral("Модель:"), this));
  filter->addWidget(edModel_);
  filter->addWidget(bnFilter);

  const QStringList titles = journal_text::ListTitles();
  grRecords_ = new QTableWidget(0, static_cast<int>(titles.size()), this);
  grRecords_->setObjectName(QStringLiteral("grRecords"));
  grRecords_->setHorizontalHeaderLabels(titles);
  grRecords_->setSelectionBehavior(QAbstractItemView::SelectRows);
  grRecords_->setSelectionMode(QAbstractItemView::SingleSelection);
  grRecords_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grRecords_->verticalHeader()->hide();
  // Every column fits its texts; the last one, the result, takes the rest of the width.
  grRecords_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  grRecords_->horizontalHeader()->setStretchLastSection(true);
  lbNoRecords_ = new QLabel(QString::fromUtf8(kNoRecords), grRecords_->viewport());
  lbNoRecords_->setObjectName(QStringLiteral("lbNoRecords"));
  lbNoRecords_->setAlignment(Qt::AlignCenter);
  lbNoRecords_->setEnabled(false);
  auto* emptyList = new QVBoxLayout(grRecords_->viewport());
  emptyList->addWidget(lbNoRecords_);

  mmDetails_ = new QPlainTextEdit(this);
  mmDetails_->setObjectName(QStringLiteral("mmDetails"));
  mmDetails_->setReadOnly(true);
  mmDetails_->setLineWrapMode(QPlainTextEdit::NoWrap);
  mmDetails_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  mmDetails_->setPlaceholderText(QString::fromUtf8(kChooseRecord));

  bnRestore_ = Button("bnRestore", "Восстановить", this);
  auto* bnClose = Button("bnClose", "Закрыть", this);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(bnRestore_);
  buttons->addWidget(bnClose);

  auto* column = new QVBoxLayout(this);
  column->addLayout(filter);
  column->addWidget(grRecords_, 1);
  column->addWidget(mmDetails_, 1);
  column->addLayout(buttons);

  connect(bnFilter, &QPushButton::clicked, this, [this] { Refresh(); });
  connect(edSerial_, &QLineEdit::returnPressed, this, [this] { Refresh(); });
  connect(edModel_, &QLineEdit::returnPressed, this, [this] { Refresh(); });
  connect(grRecords_, &QTableWidget::itemSelectionChanged, this, [this] { ShowSelected(); });
  connect(bnRestore_, &QPushButton::clicked, this, [this] { RestoreSelected(); });
  connect(bnClose, &QPushButton::clicked, this, &QDialog::accept);
  Refresh();
}

void JournalDialog::Refresh() {
  context_.RunAction([this] {
    records_.clear();
    grRecords_->setRowCount(0);
    records_ = journal_.List(edSerial_->text().trimmed(), edModel_->text().trimmed());
    grRecords_->setRowCount(static_cast<int>(records_.size()));
    for (int row = 0; row < grRecords_->rowCount(); ++row) {
      const QStringList cells =
          journal_text::ListLine(records_[static_cast<size_t>(row)]).split(QLatin1Char('\t'));
      for (int column = 0; column < cells.size(); ++column)
        grRecords_->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
  });
  lbNoRecords_->setVisible(records_.empty());
  ShowSelected();
}

const JournalRecord* JournalDialog::Selected() const {
  const int row = grRecords_->currentRow();
  if (row < 0 || row >= static_cast<int>(records_.size()) || grRecords_->selectedItems().isEmpty())
    return nullptr;
  return &records_[static_cast<size_t>(row)];
}

void JournalDialog::ShowSelected() {
  const JournalRecord* record = Selected();
  mmDetails_->setPlainText(record ? journal_text::Details(*record) : QString());
  bnRestore_->setEnabled(record != nullptr);
}

void JournalDialog::RestoreSelected() {
  const JournalRecord* selected = Selected();
  if (selected == nullptr)
    return;
  const JournalRecord record = *selected;
  bool restored = false;
  context_.RunAction([&] {
    if (!context_.messages.Confirm(QString::fromUtf8(kConfirmRestore)
                                       .arg(record.id)
                                       .arg(record.entry.model, record.entry.serial)))
      return;
    RestoreRecord(context_.connection, record, context_.timeStamp, context_.TimeConfirmation(),
                  context_.messages);
    restored = true;
    context_.messages.ShowInfo(QString::fromUtf8(kRestored).arg(record.id));
  });
  // The restore is a record of its own.
  if (restored)
    Refresh();
}

}  // namespace vrx
