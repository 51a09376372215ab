#include "rq7/views/Rq7InitTab.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

#include "session/ActionConnect.h"
#include "widgets/NumberEditSteps.h"
#include "widgets/views/DecimalEdit.h"
#include "widgets/views/DigitsValidator.h"
#include "widgets/views/NumberEdit.h"

namespace vrx {

namespace {

constexpr int kTrackBarLimit = 20;
constexpr int kMaxFlowDigits = 3;
// Room around the text of an edit: its frame and the cursor.
constexpr int kEditMargin = 16;

// A form mask in Qt's notation: every digit position required, unfilled ones shown as 0.
QString QtMask(const char* mask) {
  QString qt = QString::fromLatin1(mask);
  qt.replace(QLatin1Char('0'), QLatin1Char('9'));
  return qt + QStringLiteral(";0");
}

QLabel* Caption(const char* text, QWidget* parent) {
  return new QLabel(QString::fromUtf8(text), parent);
}

}  // namespace

Rq7InitTab::Rq7InitTab(Rq7Workspace& workspace, RunContext& context, std::function<bool()> l1Family,
                       QWidget* parent)
    : QWidget(parent), workspace_(workspace), context_(context), l1Family_(std::move(l1Family)) {
  auto* layout = new QHBoxLayout(this);
  auto* left = new QVBoxLayout;
  left->addWidget(BuildFields());
  left->addWidget(BuildCorrection());
  auto* buttons = new QHBoxLayout;
  bbRQRead_ = new QPushButton(QStringLiteral("Считать"), this);
  bbRQRead_->setObjectName(QStringLiteral("bbRQRead"));
  bbRQInitialize_ = new QPushButton(QStringLiteral("Провести инициализацию"), this);
  bbRQInitialize_->setObjectName(QStringLiteral("bbRQInitialize"));
  buttons->addWidget(bbRQRead_);
  buttons->addWidget(bbRQInitialize_);
  buttons->addStretch();
  left->addLayout(buttons);
  left->addStretch();
  auto* right = new QVBoxLayout;
  right->addWidget(BuildTests());
  right->addWidget(BuildEffects());
  right->addStretch();
  layout->addLayout(left);
  layout->addLayout(right);

  ConnectAction(bbRQRead_, &QPushButton::clicked, context_,
                [this] { workspace_.Read(context_.connection); });
  ConnectAction(bbRQInitialize_, &QPushButton::clicked, context_, [this] {
    Collect();
    workspace_.Initialize(context_.connection, context_.timeStamp, context_.TimeConfirmation(),
                          context_.messages, l1Family_ && l1Family_());
  });
  connect(TrackBar1_, &QSlider::valueChanged, this, [this](int position) {
    if (refreshing_)
      return;
    Collect();
    workspace_.SetTrackBar(position);
  });
  connect(&workspace_, &Rq7Workspace::changed, this, &Rq7InitTab::Refresh);
  Refresh();
}

QLineEdit* Rq7InitTab::Masked(const char* name) {
  auto* edit = new QLineEdit(this);
  edit->setObjectName(QString::fromLatin1(name));
  for (const Rq7MaskedField& field : Rq7MaskedFields()) {
    if (QLatin1String(field.name) == QLatin1String(name)) {
      edit->setInputMask(QtMask(field.mask));
      edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QString::fromLatin1(field.mask)) +
                            kEditMargin);
    }
  }
  edits_[edit->objectName()] = edit;
  return edit;
}

QCheckBox* Rq7InitTab::Check(const char* name, const QString& caption) {
  auto* box = new QCheckBox(caption, this);
  box->setObjectName(QString::fromLatin1(name));
  checks_[box->objectName()] = box;
  return box;
}

QWidget* Rq7InitTab::BuildFields() {
  auto* panel = new QWidget(this);
  auto* grid = new QGridLayout(panel);
  int row = 0;
  const auto add = [&](const char* caption, QWidget* field) {
    grid->addWidget(Caption(caption, panel), row, 0);
    grid->addWidget(field, row++, 1, Qt::AlignLeft);
  };
  add("Время работы RQ:", Masked("RQWTimeEdit"));
  add("Время безаварийной работы 1:", Masked("WTime1Edit"));
  add("Время безаварийной работы 2:", Masked("WTime2Edit"));
  add("Время ошибки 1:", Masked("ETime1Edit"));
  add("Время ошибки 2:", Masked("ETime2Edit"));
  add("V1:", Masked("meV1"));
  add("V2:", Masked("meV2"));
  auto* address = new NumberEdit(QStringLiteral("DevRQAddrEdit"), NetworkAddressStep, panel);
  address->setMaxLength(2);
  edits_[address->objectName()] = address;
  add("Сетевой адрес:", address);
  auto* number = new NumberEdit(QStringLiteral("DevRQNoEdit"), DeviceNumberStep, panel);
  number->setMaxLength(5);
  edits_[number->objectName()] = number;
  add("Зав. № :", number);
  for (int ch = 1; ch <= 2; ++ch) {
    auto* list = new QComboBox(panel);
    list->setObjectName(QStringLiteral("cbPW%1").arg(ch));
    list->addItems(PulseValueItems());
    lists_[list->objectName()] = list;
    add(ch == 1 ? "Цена импульса 1:" : "Цена импульса 2:", list);
  }
  // The least flows are decimal numbers, the greatest whole ones.
  const auto flow = [&](const char* name, bool whole) {
    QLineEdit* edit = nullptr;
    if (whole) {
      edit = new QLineEdit(panel);
      edit->setObjectName(QString::fromLatin1(name));
      edit->setMaxLength(kMaxFlowDigits);
      edit->setValidator(new DigitsValidator(edit));
    } else {
      edit = new DecimalEdit(QString::fromLatin1(name), panel);
    }
    edits_[edit->objectName()] = edit;
    return edit;
  };
  add("Мин. расход V1:", flow("meV1l", false));
  add("Мин. расход V2:", flow("meV2l", false));
  add("Макс. расход V1:", flow("meV1h", true));
  add("Макс. расход V2:", flow("meV2h", true));
  return panel;
}

QGroupBox* Rq7InitTab::BuildGroup(const char* name, const char* caption) {
  auto* group = new QGroupBox(QString::fromUtf8(caption), this);
  group->setObjectName(QString::fromLatin1(name));
  auto* layout = new QHBoxLayout(group);
  for (const QString& item : ErrorGroupItems())
    layout->addWidget(new QRadioButton(item, group));
  groups_[group->objectName()] = group;
  return group;
}

QWidget* Rq7InitTab::BuildTests() {
  auto* box = new QGroupBox(QStringLiteral(" Включение тестов НС: "), this);
  auto* grid = new QGridLayout(box);
  grid->addWidget(Check("cbErr11", QStringLiteral("Линия 1к (Err1)")), 0, 0);
  grid->addWidget(Check("cbErr12", QStringLiteral("Линия 2к (Err1)")), 0, 1);
  grid->addWidget(BuildGroup("rgErr21", " Вход 1 (Err2) "), 1, 0);
  grid->addWidget(BuildGroup("rgErr22", " Вход 2 (Err2) "), 1, 1);
  grid->addWidget(Check("cbErr31", QStringLiteral("(Err3) Расход v1 < ")), 2, 0);
  grid->addWidget(Masked("meV1ll"), 2, 1);
  grid->addWidget(Check("cbErr32", QStringLiteral("Расход v2 < ")), 3, 0);
  grid->addWidget(Masked("meV2ll"), 3, 1);
  grid->addWidget(Check("cbErr41", QStringLiteral("(Err4) Расход v1 > ")), 4, 0);
  grid->addWidget(Masked("meV1hl"), 4, 1);
  grid->addWidget(Check("cbErr42", QStringLiteral("Расход v2 > ")), 5, 0);
  grid->addWidget(Masked("meV2hl"), 5, 1);
  grid->addWidget(BuildGroup("rgErr5", " Вход 3 (Err5) "), 6, 0, 1, 2);
  grid->addWidget(Check("cbErr6", QStringLiteral("Будильник (Err 6)")), 7, 0);
  auto* alarm = new QHBoxLayout;
  alarm->addWidget(Caption("Время старта:", box));
  alarm->addWidget(Masked("meAl1"));
  alarm->addWidget(Caption("Время стопа:", box));
  alarm->addWidget(Masked("meAl2"));
  grid->addLayout(alarm, 8, 0, 1, 2);
  return box;
}

QWidget* Rq7InitTab::BuildEffects() {
  auto* box = new QGroupBox(QStringLiteral(" Влияние НС "), this);
  auto* grid = new QGridLayout(box);
  const char* rows[] = {"V1,tp1", "V2,tp2", "tнс1", "tнс2", "Выход"};
  // Each group of columns is a channel's, its columns the error numbers.
  for (int g = 0; g < 2; ++g) {
    grid->addWidget(new QLabel(QStringLiteral("Канал %1, Err").arg(g + 1), box), 0, 1 + g * 5, 1, 5,
                    Qt::AlignCenter);
    for (int e = 1; e <= 5; ++e)
      grid->addWidget(new QLabel(QString::number(e), box), 1, 1 + g * 5 + (e - 1), Qt::AlignCenter);
  }
  for (int r = 0; r < 5; ++r) {
    grid->addWidget(Caption(rows[r], box), r + 2, 0);
    for (int g = 1; g <= 2; ++g) {
      for (int e = 1; e <= 5; ++e) {
        const QString name = EffectBoxName(kEffectRows[r], e, g);
        QCheckBox* check = Check(name.toLatin1().constData(), QString());
        check->setEnabled(EffectBoxEnabled(name));
        grid->addWidget(check, r + 2, 1 + (g - 1) * 5 + (e - 1), Qt::AlignCenter);
      }
    }
  }
  return box;
}

QWidget* Rq7InitTab::BuildCorrection() {
  auto* panel = new QWidget(this);
  auto* grid = new QGridLayout(panel);
  grid->addWidget(Caption("Коррекция РТС:", panel), 0, 0, 2, 1);
  TrackBar1_ = new QSlider(Qt::Horizontal, panel);
  TrackBar1_->setObjectName(QStringLiteral("TrackBar1"));
  TrackBar1_->setRange(-kTrackBarLimit, kTrackBarLimit);
  TrackBar1_->setTickPosition(QSlider::TicksBelow);
  TrackBar1_->setTickInterval(5);
  grid->addWidget(TrackBar1_, 0, 1, 1, 3);
  grid->addWidget(new QLabel(QStringLiteral("-20"), panel), 1, 1, Qt::AlignLeft);
  grid->addWidget(new QLabel(QStringLiteral("0"), panel), 1, 2, Qt::AlignCenter);
  grid->addWidget(new QLabel(QStringLiteral("+20"), panel), 1, 3, Qt::AlignRight);
  l1_ = new QLabel(panel);
  l1_->setObjectName(QStringLiteral("l1"));
  grid->addWidget(l1_, 0, 4);
  return panel;
}

void Rq7InitTab::Collect() {
  Rq7InitForm& form = workspace_.Form();
  for (auto it = edits_.begin(); it != edits_.end(); ++it)
    form.texts[it.key()] =
        it.value()->inputMask().isEmpty() ? it.value()->text() : it.value()->displayText();
  for (auto it = lists_.begin(); it != lists_.end(); ++it)
    form.texts[it.key()] = it.value()->currentText();
  for (auto it = groups_.begin(); it != groups_.end(); ++it) {
    for (QRadioButton* item : it.value()->findChildren<QRadioButton*>()) {
      if (item->isChecked())
        form.texts[it.key()] = item->text();
    }
  }
  for (auto it = checks_.begin(); it != checks_.end(); ++it)
    form.checks[it.key()] = it.value()->isChecked();
  form.TrackBar1 = TrackBar1_->value();
}

void Rq7InitTab::Refresh() {
  refreshing_ = true;
  const Rq7InitForm& form = workspace_.Form();
  for (auto it = edits_.begin(); it != edits_.end(); ++it)
    it.value()->setText(form.texts.value(it.key()));
  for (auto it = lists_.begin(); it != lists_.end(); ++it)
    it.value()->setCurrentText(form.texts.value(it.key()));
  for (auto it = groups_.begin(); it != groups_.end(); ++it) {
    for (QRadioButton* item : it.value()->findChildren<QRadioButton*>())
      item->setChecked(item->text() == form.texts.value(it.key()));
  }
  for (auto it = checks_.begin(); it != checks_.end(); ++it)
    it.value()->setChecked(form.checks.value(it.key()));
  TrackBar1_->setValue(form.TrackBar1);
  l1_->setText(form.texts.value(QStringLiteral("l1")));
  refreshing_ = false;
}

}  // namespace vrx
