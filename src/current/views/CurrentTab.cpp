#include "current/views/CurrentTab.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "current/CurrentDecoder.h"
#include "current/views/TrendChart.h"
#include "session/ActionConnect.h"

namespace vrx {

namespace {

// Tight spacing: the tab holds a row per quantity and a column per channel at the window's least
// size.
constexpr int kMargin = 4;
constexpr int kSpacing = 2;
constexpr int kColumnSpacing = 4;

QLabel* Caption(const QString& text, QWidget* parent) {
  return new QLabel(text, parent);
}

// The log keeps growing over several runs: the file dialog does not offer to replace it.
const FileKind kCurrentLogs{QStringLiteral("CurrentLogs"), QStringLiteral("CSV (*.csv)"),
                            QStringLiteral("csv"), true};

}  // namespace

CurrentTab::CurrentTab(RunContext& context, QWidget* parent)
    : QWidget(parent),
      context_(context),
      core_(context.connection, context.messages),
      polling_(context, core_) {
  setObjectName(QStringLiteral("CurrentTab"));
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
  row->setSpacing(kColumnSpacing);
  QWidget* left = BuildLeftPanel();
  row->addWidget(left, 0);
  auto* right = new QVBoxLayout;
  right->setSpacing(kSpacing);
  auto* values = new QHBoxLayout;
  values->addWidget(BuildValuePanel(), 1);
  // With the value panel hidden the room stays empty rather than going to the left panel.
  values->addStretch(0);
  right->addLayout(values);
  right->addWidget(BuildPollingBar());
  chart_ = new TrendChart(this);
  right->addWidget(chart_, 1);
  row->addLayout(right, 1);
  FitToWidestTexts();
  // The left panel is as wide as its widest caption or value, whatever it shows now.
  left->setFixedWidth(left->minimumSizeHint().width());

  Timer2_ = new QTimer(this);
  Timer2_->setObjectName(QStringLiteral("Timer2"));
  Timer2_->setInterval(ReadLockout::kTimer2IntervalMs);
  ConnectAction(Timer2_, &QTimer::timeout, context_, [this] { Timer2Timer(); });
  // The RQ-7 readout holds the same lock-out, so the button follows it rather than the tab's own
  // readouts only.
  connect(&core_.Lockout(), &ReadLockout::changed, this, &CurrentTab::FollowLockout);
  connect(&core_.Lockout(), &ReadLockout::released, this, [this] {
    // The focus goes back to the button only while its tab is the one shown.
    if (isVisible())
      bnReadCurParams_->setFocus();
  });
  ConnectAction(bnReadCurParams_, &QPushButton::clicked, context_,
                [this] { bnReadCurParamsClick(); });
  ConnectAction(bnResetCurParams_, &QPushButton::clicked, context_,
                [this] { bnResetCurParamsClick(); });

  tmPoll_ = new QTimer(this);
  tmPoll_->setObjectName(QStringLiteral("tmPoll"));
  tmPoll_->setSingleShot(true);
  polling_.arm = [this](int ms) { tmPoll_->start(ms); };
  polling_.disarm = [this] { tmPoll_->stop(); };
  polling_.changed = [this] {
    Refresh();
    chart_->Show(polling_);
  };
  // A tick is no user action: it holds the line by itself, or gives way when it is taken.
  connect(tmPoll_, &QTimer::timeout, this, [this] { PollTimer(); });
  ConnectAction(cbPolling_, &QCheckBox::clicked, context_, [this] { PollingClick(); });
  connect(sePollSeconds_, &QSpinBox::valueChanged, this,
          [this](int seconds) { polling_.SetSeconds(seconds); });
  ConnectAction(bnCsvLog_, &QPushButton::clicked, context_, [this] { CsvLogClick(); });
  connect(chart_, &TrendChart::clearClicked, this, [this] {
    polling_.Clear();
    chart_->Show(polling_);
  });
  // Another path is another instrument's values.
  for (QRadioButton* path : {rbCable_, rbRS_, rbOPX_})
    connect(path, &QRadioButton::toggled, this, [this] { StopPolling(); });
  Refresh();
  ShowPolling();
}

QLabel* CurrentTab::Static(const QString& name, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  controls_.insert(name, label);
  return label;
}

QWidget* CurrentTab::BuildLeftPanel() {
  auto* panel = new QFrame(this);
  panel->setObjectName(QStringLiteral("plCurParams1"));
  panel->setFrameShape(QFrame::StyledPanel);
  auto* column = new QVBoxLayout(panel);
  column->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
  column->setSpacing(kSpacing);
  const std::pair<const char*, const char*> texts[] = {
      {"stVRXType", "Тип прибора:"}, {"stScheme", "№ изм. схемы:"}, {"stNumber", "Зав. № :"},
      {"stAddr", "Сетевой адрес:"},  {"stStatus", "Статус:"},       {"stW100", "W100"},
      {"stOutType", "Тип входа:"}};
  for (const auto& [name, caption] : texts) {
    column->addWidget(Caption(QString::fromUtf8(caption), panel));
    QLabel* value = Static(QString::fromLatin1(name), panel);
    value->setFrameShape(QFrame::Panel);
    value->setFrameShadow(QFrame::Sunken);
    value->setWordWrap(true);
    column->addWidget(value);
  }
  column->addStretch(1);
  rbCable_ = new QRadioButton(PathCaption(CurrentPath::Cable), panel);
  rbCable_->setObjectName(QStringLiteral("rbCable"));
  rbCable_->setChecked(true);
  rbRS_ = new QRadioButton(PathCaption(CurrentPath::Interface), panel);
  rbRS_->setObjectName(QStringLiteral("rbRS"));
  rbOPX_ = new QRadioButton(PathCaption(CurrentPath::Opx), panel);
  rbOPX_->setObjectName(QStringLiteral("rbOPX"));
  column->addWidget(rbCable_);
  column->addWidget(rbRS_);
  column->addWidget(rbOPX_);
  bnReadCurParams_ = new QPushButton(QStringLiteral("Считать"), panel);
  bnReadCurParams_->setObjectName(QStringLiteral("bnReadCurParams"));
  bnResetCurParams_ = new QPushButton(QStringLiteral("Сброс"), panel);
  bnResetCurParams_->setObjectName(QStringLiteral("bnResetCurParams"));
  column->addWidget(bnReadCurParams_);
  column->addWidget(bnResetCurParams_);
  // The documents of the readout: the report module lays them out and asks for the file.
  bnPrint_ = new QPushButton(QStringLiteral("Печать…"), panel);
  bnPrint_->setObjectName(QStringLiteral("bnPrintCurParams"));
  bnSavePdf_ = new QPushButton(QStringLiteral("Сохранить PDF…"), panel);
  bnSavePdf_->setObjectName(QStringLiteral("bnSaveCurParamsPdf"));
  column->addWidget(bnPrint_);
  column->addWidget(bnSavePdf_);
  connect(bnPrint_, &QPushButton::clicked, this, &CurrentTab::printRequested);
  connect(bnSavePdf_, &QPushButton::clicked, this, &CurrentTab::savePdfRequested);
  return panel;
}

QWidget* CurrentTab::BuildValuePanel() {
  plCurParams2_ = new QFrame(this);
  plCurParams2_->setObjectName(QStringLiteral("plCurParams2"));
  auto* column = new QVBoxLayout(plCurParams2_);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(kSpacing);

  auto* clocks = new QGridLayout;
  clocks->setHorizontalSpacing(kColumnSpacing);
  clocks->setVerticalSpacing(kSpacing);
  clocks->addWidget(Caption(QStringLiteral("Внутреннее время RTC:"), plCurParams2_), 0, 0);
  clocks->addWidget(Static(QStringLiteral("stRTC"), plCurParams2_), 0, 1);
  clocks->addWidget(Caption(QStringLiteral("Дата и время последней инициализации:"), plCurParams2_),
                    1, 0);
  clocks->addWidget(Static(QStringLiteral("stIniRTC"), plCurParams2_), 1, 1);
  clocks->setColumnStretch(2, 1);
  column->addLayout(clocks);

  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(kColumnSpacing);
  grid->setVerticalSpacing(kSpacing);
  for (int k = 1; k <= 5; ++k) {
    QLabel* channel = Static(QStringLiteral("lbChannel%1").arg(k), plCurParams2_);
    channel->setAlignment(Qt::AlignCenter);
    grid->addWidget(channel, 0, k);
  }
  int line = 1;
  for (const CurrentDisplay::Row& row : CurrentDisplay::Rows()) {
    grid->addWidget(Static(row.label, plCurParams2_), line, 0, Qt::AlignLeft | Qt::AlignTop);
    for (int k = 1; k <= 5; ++k) {
      const QString& name = row.cells[k - 1];
      if (name.isEmpty())
        continue;
      QLabel* cell = Static(name, plCurParams2_);
      cell->setFrameShape(QFrame::Panel);
      cell->setFrameShadow(QFrame::Sunken);
      cell->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      // Error texts are lines of words; they wrap rather than widen the column.
      cell->setWordWrap(row.label == QLatin1String("lbErrors"));
      grid->addWidget(cell, line, k);
    }
    ++line;
  }
  grid->setRowStretch(line, 1);
  column->addLayout(grid, 1);

  auto* coldWater = new QGroupBox(QStringLiteral("Холодная вода"), plCurParams2_);
  coldWater->setObjectName(QStringLiteral("plColdWater"));
  plColdWater_ = coldWater;
  auto* water = new QHBoxLayout(coldWater);
  water->setContentsMargins(kMargin, kSpacing, kMargin, kSpacing);
  water->addWidget(Caption(QStringLiteral("t, °C:"), coldWater));
  water->addWidget(Static(QStringLiteral("stTCW"), coldWater));
  water->addSpacing(24);
  water->addWidget(Caption(QStringLiteral("P, кгс/см2:"), coldWater));
  water->addWidget(Static(QStringLiteral("stPCW"), coldWater));
  water->addStretch(1);
  column->addWidget(coldWater);
  return plCurParams2_;
}

QWidget* CurrentTab::BuildPollingBar() {
  auto* bar = new QWidget(this);
  bar->setObjectName(QStringLiteral("plPolling"));
  auto* row = new QHBoxLayout(bar);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(kColumnSpacing);
  cbPolling_ = new QCheckBox(QStringLiteral("Опрос каждые"), bar);
  cbPolling_->setObjectName(QStringLiteral("cbPolling"));
  sePollSeconds_ = new QSpinBox(bar);
  sePollSeconds_->setObjectName(QStringLiteral("sePollSeconds"));
  sePollSeconds_->setRange(CurrentPolling::kMinSeconds, CurrentPolling::kMaxSeconds);
  auto* unit = new QLabel(QStringLiteral("с"), bar);
  unit->setObjectName(QStringLiteral("lbPollSeconds"));
  bnCsvLog_ = new QPushButton(QStringLiteral("Записывать в CSV…"), bar);
  bnCsvLog_->setObjectName(QStringLiteral("bnCsvLog"));
  lbCsvFile_ = new QLabel(bar);
  lbCsvFile_->setObjectName(QStringLiteral("lbCsvFile"));
  // A long path does not widen the window; the label shows what fits.
  lbCsvFile_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  row->addWidget(cbPolling_);
  row->addWidget(sePollSeconds_);
  row->addWidget(unit);
  row->addSpacing(3 * kColumnSpacing);
  row->addWidget(bnCsvLog_);
  row->addWidget(lbCsvFile_, 1);
  return bar;
}

void CurrentTab::FitToWidestTexts() {
  for (auto it = controls_.begin(); it != controls_.end(); ++it) {
    QLabel* label = it.value();
    int widest = 0;
    for (const QString& text : WidestTexts(it.key()))
      widest = std::max(widest, label->fontMetrics().horizontalAdvance(text));
    if (widest > 0)
      label->setMinimumWidth(widest + 2 * (label->frameWidth() + label->margin()) + 1);
  }
}

void CurrentTab::Refresh() {
  const CurrentDisplay& display = core_.Display();
  for (auto it = controls_.begin(); it != controls_.end(); ++it) {
    const CurrentDisplay::Cell& cell = display[it.key()];
    it.value()->setText(cell.text);
    it.value()->setVisible(cell.visible);
  }
  plCurParams2_->setVisible(display.valuePanelVisible);
  plColdWater_->setVisible(display.coldWaterVisible);
  FollowLockout();
}

void CurrentTab::FollowLockout() {
  bnReadCurParams_->setEnabled(core_.ReadEnabled());
  if (core_.Timer2Active() && !Timer2_->isActive())
    Timer2_->start();
  else if (!core_.Timer2Active())
    Timer2_->stop();
}

CurrentPath CurrentTab::ChosenPath() const {
  return rbOPX_->isChecked()  ? CurrentPath::Opx
         : rbRS_->isChecked() ? CurrentPath::Interface
                              : CurrentPath::Cable;
}

void CurrentTab::bnReadCurParamsClick() {
  core_.path = ChosenPath();
  // What the readout showed before a failure stays on screen while the error box tells why.
  try {
    core_.bnReadCurParamsClick();
  } catch (...) {
    Refresh();
    throw;
  }
  Refresh();
}

void CurrentTab::bnResetCurParamsClick() {
  StopPolling();
  core_.bnResetCurParamsClick();
  Refresh();
}

void CurrentTab::Timer2Timer() {
  core_.Timer2Timer();
}

void CurrentTab::StopPolling() {
  polling_.Stop();
  ShowPolling();
}

void CurrentTab::PollingClick() {
  if (cbPolling_->isChecked()) {
    core_.path = ChosenPath();
    polling_.Start(sePollSeconds_->value());
  } else {
    polling_.Stop();
  }
  ShowPolling();
}

void CurrentTab::CsvLogClick() {
  const QString path =
      context_.Files().SaveFileName(QStringLiteral("Записывать в CSV"), kCurrentLogs);
  if (path.isEmpty())
    return;
  polling_.StartLog(path);
  ShowPolling();
}

void CurrentTab::PollTimer() {
  polling_.Tick();
  ShowPolling();
}

void CurrentTab::ShowPolling() {
  cbPolling_->setChecked(polling_.Active());
  bnCsvLog_->setEnabled(polling_.Active());
  lbCsvFile_->setText(polling_.Log().IsOpen() ? polling_.Log().Path() : QString());
}

}  // namespace vrx
