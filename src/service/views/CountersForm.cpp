#include "service/views/CountersForm.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QVBoxLayout>
#include <utility>

#include "model/EValidation.h"

namespace vrx {

using namespace dialog_parts;

namespace {

// The edit's own mask: the digit places of the field's mask may stay blank ("_"), the field's
// checks refuse them when writing.
QString QtInputMask(const CounterField& field) {
  return field.mask.section(QLatin1Char(';'), 0, 0) + QStringLiteral(";_");
}

}  // namespace

TCountersForm::TCountersForm(RunContext& context, EraseArchiveFlag erase, QWidget* parent)
    : ServiceDialog(context, std::move(erase), "CountersForm",
                    QStringLiteral("Установка счетчиков"), parent),
      core_(context.connection) {
  auto* column = new QVBoxLayout(this);
  column->setSizeConstraint(QLayout::SetFixedSize);

  auto* header = new QHBoxLayout();
  header->addWidget(Label(this, "lbDeviceType", QStringLiteral("Тип прибора:")));
  plDeviceType_ = Panel(this, "plDeviceType");
  header->addWidget(plDeviceType_);
  header->addWidget(Label(this, "lbNScheme", QStringLiteral("№ изм. схемы:")));
  plNScheme_ = Panel(this, "plNScheme");
  plNScheme_->setMinimumWidth(40);
  header->addWidget(plNScheme_);
  column->addLayout(header);

  // Operating times on the left, energies and volumes on the right.
  auto* grid = new QGridLayout();
  for (int i = 0; i < kCounterCount; ++i) {
    const size_t k = static_cast<size_t>(i);
    const bool time = i < 5;
    const QString name = QString::fromLatin1(kCounterNames[k]);
    labels_[k] = new QLabel(name.mid(2) + QStringLiteral(":"), this);
    labels_[k]->setObjectName(QStringLiteral("lb") + name.mid(2));
    edits_[k] = new QLineEdit(this);
    edits_[k]->setObjectName(name);
    edits_[k]->setMinimumWidth(140);
    edits_[k]->installEventFilter(this);
    const int row = time ? i : i - 5;
    const int col = time ? 0 : 2;
    grid->addWidget(labels_[k], row, col);
    grid->addWidget(edits_[k], row, col + 1);
  }
  column->addLayout(grid);
  column->addLayout(ButtonRow(
      {[this] { core_.bnReadClick(); }, [this] { Write(); }, [this] { core_.bnResetClick(); }}));
  Mirror();
}

bool TCountersForm::eventFilter(QObject* watched, QEvent* event) {
  // Entering a field puts the caret at its first character, after the edit placed it.
  if (event->type() == QEvent::FocusIn) {
    if (auto* edit = qobject_cast<QLineEdit*>(watched))
      QTimer::singleShot(0, edit, [edit] { edit->setCursorPosition(0); });
  }
  return QDialog::eventFilter(watched, event);
}

void TCountersForm::Write() {
  TakeTexts();
  try {
    core_.bnWriteClick(ServiceDialog::Write());
  } catch (const EValidation& refused) {
    if (auto* edit = findChild<QLineEdit*>(refused.FocusControl()))
      edit->setFocus();
    throw;
  }
}

void TCountersForm::TakeTexts() {
  for (size_t k = 0; k < edits_.size(); ++k) {
    CounterField& field = core_.fields[k];
    if (field.state == CounterFieldState::Editable)
      field.text = TextOfDisplay(field, edits_[k]->displayText());
  }
}

void TCountersForm::Mirror() {
  plDeviceType_->setText(core_.plDeviceType);
  plNScheme_->setText(core_.plNScheme);
  for (size_t k = 0; k < edits_.size(); ++k) {
    const CounterField& field = core_.fields[k];
    QLineEdit* edit = edits_[k];
    const bool shown = field.state != CounterFieldState::Hidden;
    labels_[k]->setVisible(shown);
    edit->setVisible(shown);
    const bool editable = field.state == CounterFieldState::Editable;
    edit->setEnabled(editable);
    edit->setInputMask(editable ? QtInputMask(field) : QString());
    edit->setText(shown ? MaskedDisplay(field) : QString());
  }
}

}  // namespace vrx
