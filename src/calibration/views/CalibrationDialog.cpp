#include "calibration/views/CalibrationDialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "calibration/views/AdcGrid.h"
#include "calibration/views/UpDown.h"
#include "model/Errors.h"
#include "session/RunContext.h"
#include "widgets/views/DigitsValidator.h"

namespace vrx {

namespace {

const char* const kAllChannels = "(all)";

QLineEdit* Edit(const QString& name, const QString& text, QWidget* parent) {
  auto* edit = new QLineEdit(text, parent);
  edit->setObjectName(name);
  edit->setMaximumWidth(60);
  return edit;
}

}  // namespace

CalibrationDialog::CalibrationDialog(RunContext& context, AdcSamples::Kind kind,
                                     const QString& name, const QString& caption, QWidget* parent)
    : QDialog(parent), context_(context), samples_(kind), run_(*this, context.connection.pacer) {
  setObjectName(name);
  setWindowTitle(caption);
  setMinimumSize(517, 380);
  timer_.setObjectName(QStringLiteral("adcCheckTimer"));
  connect(&timer_, &QTimer::timeout, this, [this] { Guarded([this] { run_.Tick(); }); });
  run_.changed = [this] { Mirror(); };

  auto* top = new QVBoxLayout(this);
  controls_ = new QGridLayout;
  top->addLayout(controls_);
  plVRXType_ = Panel(QStringLiteral("plVRXType"));
  controls_->addWidget(Caption(QStringLiteral("lbVRXType"), QStringLiteral("Тип прибора:")), 0, 0);
  controls_->addWidget(plVRXType_, 0, 1);

  auto* runRow = new QHBoxLayout;
  edChannel_ = Edit(QStringLiteral("edChannel"), QStringLiteral("0"), this);
  edChannel_->setReadOnly(true);
  udChannel_ = new UpDown(QStringLiteral("udChannel"), edChannel_, 0, 1, true, this);
  edCount_ = Edit(QStringLiteral("edCount"), QStringLiteral("1"), this);
  udCount_ = new UpDown(QStringLiteral("udCount"), edCount_, 1, 9999, false, this);
  edInterval_ = Edit(QStringLiteral("edInterval"), QStringLiteral("1"), this);
  udInterval_ = new UpDown(QStringLiteral("udInterval"), edInterval_, 1, 10, false, this);
  // The count and the period take digits only.
  edCount_->setValidator(new DigitsValidator(edCount_));
  edInterval_->setValidator(new DigitsValidator(edInterval_));
  runRow->addWidget(Caption(QStringLiteral("lbChannel"), QStringLiteral("Канал:")));
  runRow->addWidget(edChannel_);
  runRow->addWidget(udChannel_);
  runRow->addWidget(Caption(QStringLiteral("lbCount"), QStringLiteral("Измерений:")));
  runRow->addWidget(edCount_);
  runRow->addWidget(udCount_);
  runRow->addWidget(Caption(QStringLiteral("lbInterval"), QStringLiteral("Период, с:")));
  runRow->addWidget(edInterval_);
  runRow->addWidget(udInterval_);
  runRow->addStretch();
  top->addLayout(runRow);
  connect(udChannel_, &UpDown::changed, this, &CalibrationDialog::OnChannelChanged);
  OnChannelChanged();

  grid_ = new AdcGrid(samples_, this);
  top->addWidget(grid_, 1);
  adcCheckStat_ = Panel(QStringLiteral("adcCheckStat"));
  top->addWidget(adcCheckStat_);

  auto* buttons = new QGridLayout;
  btnAdcCheck_ = MakeButton(QStringLiteral("btnAdcCheck"), QStringLiteral("Проверка АЦП"));
  bnPause_ = MakeButton(QStringLiteral("bnPause"), QStringLiteral("Пауза"));
  bnPause_->setEnabled(false);
  bnRefresh_ = MakeButton(QStringLiteral("bnRefresh"), QStringLiteral("Обновить"));
  auto* save = MakeButton(QStringLiteral("bnSaveProtocol"), QStringLiteral("Сохранить протокол…"));
  auto* close = MakeButton(QStringLiteral("bnClose"), QStringLiteral("Закрыть"));
  bnCalibr_ = MakeButton(QStringLiteral("bnCalibr"), QString());
  int place = 0;
  for (QPushButton* button : {btnAdcCheck_, bnPause_, bnCalibr_, bnRefresh_, save, close}) {
    buttons->addWidget(button, place / 3, place % 3);
    ++place;
  }
  top->addLayout(buttons);

  connect(btnAdcCheck_, &QPushButton::clicked, this, [this] { Guarded([this] { ToggleRun(); }); });
  connect(bnPause_, &QPushButton::clicked, this, [this] { run_.TogglePause(); });
  connect(bnRefresh_, &QPushButton::clicked, this, [this] {
    Guarded([this] {
      samples_.Clear();
      try {
        RefreshPanel();
      } catch (const EOwned&) {
        // The dialog stays usable with empty panels when no instrument answers.
      }
    });
  });
  connect(save, &QPushButton::clicked, this, [this] { Guarded([this] { SaveProtocol(); }); });
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

void CalibrationDialog::Guarded(const std::function<void()>& action) {
  context_.RunAction(action);
}

void CalibrationDialog::Mirrored(const std::function<void()>& step) {
  try {
    step();
  } catch (...) {
    MirrorPanel();
    throw;
  }
  MirrorPanel();
}

QPushButton* CalibrationDialog::MakeButton(const QString& name, const QString& text) {
  auto* button = new QPushButton(text, this);
  button->setObjectName(name);
  button->setAutoDefault(false);
  return button;
}

int CalibrationDialog::SelectedChannel() const {
  return udChannel_->Position();
}

void CalibrationDialog::SetChannelCount(int count) {
  udChannel_->SetMaximum(count);
  if (udChannel_->Position() > count) {
    udChannel_->SetPosition(1);
  }
}

void CalibrationDialog::OnChannelChanged() {
  if (edChannel_->text() == QLatin1String("0")) {
    edChannel_->setText(QString::fromUtf8(kAllChannels));
  }
}

QLabel* CalibrationDialog::Panel(const QString& name, QWidget* parent) {
  auto* label = new QLabel(parent != nullptr ? parent : this);
  label->setObjectName(name);
  label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  label->setMinimumWidth(120);
  return label;
}

QLabel* CalibrationDialog::Caption(const QString& name, const QString& text) {
  auto* label = new QLabel(text, this);
  label->setObjectName(name);
  return label;
}

void CalibrationDialog::showEvent(QShowEvent* event) {
  // Captions are final now: no button cuts its caption.
  for (QPushButton* button : findChildren<QPushButton*>()) {
    button->setMinimumWidth(button->sizeHint().width());
  }
  setMinimumSize(QSize(517, 380).expandedTo(layout()->minimumSize()));
  QDialog::showEvent(event);
  bnRefresh_->click();
}

void CalibrationDialog::done(int result) {
  if (run_.state() != CheckRun::State::Idle) {
    run_.Stop();
  }
  QDialog::done(result);
}

void CalibrationDialog::Start(int intervalMs) {
  timer_.start(intervalMs);
}

void CalibrationDialog::Stop() {
  timer_.stop();
}

bool CalibrationDialog::Active() const {
  return timer_.isActive();
}

void CalibrationDialog::ToggleRun() {
  if (run_.state() != CheckRun::State::Idle) {
    run_.Stop();
    return;
  }
  const int channelCount = PrepareRun();
  samples_.Clear();
  run_.Start({SelectedChannel(), udCount_->Position(), udInterval_->Position(), channelCount},
             [this](int channel) { return TakeSample(channel); });
}

void CalibrationDialog::ShowRunState(bool running) {
  for (QWidget* widget : {static_cast<QWidget*>(edChannel_), static_cast<QWidget*>(edInterval_),
                          static_cast<QWidget*>(edCount_), static_cast<QWidget*>(bnCalibr_),
                          static_cast<QWidget*>(bnRefresh_)}) {
    widget->setEnabled(!running);
  }
}

void CalibrationDialog::Mirror() {
  const bool on = run_.state() != CheckRun::State::Idle;
  btnAdcCheck_->setText(on ? QStringLiteral("Стоп") : QStringLiteral("Проверка АЦП"));
  bnPause_->setEnabled(on);
  bnPause_->setText(run_.state() == CheckRun::State::Paused ? QStringLiteral("Продолжить")
                                                            : QStringLiteral("Пауза"));
  adcCheckStat_->setText(run_.Status());
  ShowRunState(on);
  // The status line shows while the instrument is asked.
  adcCheckStat_->repaint();
}

void CalibrationDialog::SaveProtocol() {
  static const FileKind kProtocols{QStringLiteral("Protocols"), QStringLiteral("CSV (*.csv)"),
                                   QStringLiteral("csv")};
  const QString path =
      context_.Files().SaveFileName(QStringLiteral("Сохранить протокол"), kProtocols);
  if (!path.isEmpty()) {
    WriteProtocol(path, Header(), samples_);
  }
}

}  // namespace vrx
