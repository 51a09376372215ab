#include "service/views/ServiceTab.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <utility>

#include "calibration/views/TFormCalibrTempr.h"
#include "calibration/views/TformCalibrPressure.h"
#include "service/views/CountersForm.h"
#include "service/views/RtcCorrectionForm.h"
#include "service/views/TicksCorrectionForm.h"
#include "session/ActionConnect.h"

namespace vrx {

using dialog_parts::Button;

namespace {

QGroupBox* Group(QWidget* parent, const char* name, const QString& caption) {
  auto* group = new QGroupBox(caption, parent);
  group->setObjectName(QString::fromLatin1(name));
  return group;
}

}  // namespace

void ServiceTab::WindowTimer::Restart(int ms) {
  timer_->start(ms);
}

void ServiceTab::WindowTimer::Stop() {
  timer_->stop();
}

ServiceTab::ServiceTab(RunContext& context, EraseArchiveFlag erase, QWidget* parent)
    : QWidget(parent),
      context_(context),
      erase_(std::move(erase)),
      Timer1_(new QTimer(this)),
      timer_(Timer1_),
      panel_(context.connection, timer_) {
  setObjectName(QStringLiteral("ServiceTab"));
  Timer1_->setObjectName(QStringLiteral("Timer1"));
  Timer1_->setInterval(ServicePanel::kSupplyResultMs);
  connect(Timer1_, &QTimer::timeout, this, [this] {
    panel_.Timer1Timer();
    Mirror();
  });

  RTCCorrectionForm1_ = new TRTCCorrectionForm1(context_, erase_, this);
  TicksCorrectionForm_ = new TTicksCorrectionForm(context_, erase_, this);
  CountersForm_ = new TCountersForm(context_, erase_, this);
  FormCalibrTempr_ = new TFormCalibrTempr(context_, this);
  FormCalibrPressure_ = new TformCalibrPressure(context_, this);

  auto* column = new QVBoxLayout(this);
  column->addWidget(BuildAllModels());

  QGroupBox* l1 = Group(this, "gbL1", QStringLiteral("VRX-L1"));
  auto* l1Column = new QVBoxLayout(l1);
  QPushButton* bnInitExit =
      Button(l1, "bnInitExit", QStringLiteral("Выход из режима инициализации"));
  l1Column->addWidget(bnInitExit);
  column->addWidget(l1);
  ConnectAction(bnInitExit, &QPushButton::clicked, context_,
                [this] { panel_.bnInitExitClick(context_.messages); });

  column->addWidget(BuildSupply());

  QGroupBox* l3 = Group(this, "gbL3", QStringLiteral("VRX-L3, L5, L13"));
  auto* l3Row = new QHBoxLayout(l3);
  QPushButton* bnLoBattLimit =
      Button(l3, "bnLoBattLimit", QStringLiteral("Настройка порога срабатывания LB"));
  l3Row->addWidget(bnLoBattLimit);
  auto* note =
      new QLabel(QStringLiteral("Настройка нужна только для приборов с версией ПО 2.0 и выше"), l3);
  note->setObjectName(QStringLiteral("lbLoBattNote"));
  note->setWordWrap(true);
  l3Row->addWidget(note, 1);
  column->addWidget(l3);
  ConnectAction(bnLoBattLimit, &QPushButton::clicked, context_,
                [this] { panel_.bnLoBattLimitClick(dialog_parts::WriteOf(context_, erase_)); });
  column->addStretch(1);
}

ServiceTab::~ServiceTab() = default;

QWidget* ServiceTab::BuildAllModels() {
  QGroupBox* all = Group(this, "gbAllModels", QStringLiteral("VRX-L"));
  auto* grid = new QVBoxLayout(all);
  const struct {
    const char* name;
    const char* caption;
    QDialog* dialog;
  } buttons[] = {
      {"bnRTCCorrection", "Автокоррекция RTC", RTCCorrectionForm1_},
      {"bnTicksCorrection", "Коррекция цены импульса", TicksCorrectionForm_},
      {"bnSetCounters", "Установка счетчиков", CountersForm_},
      {"bnCalibrTemperature", "Калибровка каналов измерения температуры", FormCalibrTempr_},
  };
  for (const auto& b : buttons) {
    QPushButton* button = Button(all, b.name, QString::fromUtf8(b.caption));
    grid->addWidget(button);
    QDialog* dialog = b.dialog;
    ConnectAction(button, &QPushButton::clicked, context_, [dialog] { dialog->exec(); });
  }
  return all;
}

QWidget* ServiceTab::BuildSupply() {
  QGroupBox* others = Group(this, "gbL2L3", QStringLiteral("VRX-L2, L3, L5, L12, L13"));
  auto* column = new QVBoxLayout(others);
  QPushButton* bnCalibrPressure =
      Button(others, "bnCalibrPressure", QStringLiteral("Калибровка каналов измерения давления"));
  TformCalibrPressure* pressure = FormCalibrPressure_;
  ConnectAction(bnCalibrPressure, &QPushButton::clicked, context_,
                [pressure] { pressure->exec(); });
  column->addWidget(bnCalibrPressure);

  QGroupBox* supply = Group(others, "gbSupply", QStringLiteral(" Проверка питания "));
  auto* row = new QHBoxLayout(supply);
  stLB_ = new QLabel(supply);
  stLB_->setObjectName(QStringLiteral("stLB"));
  stLB_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  stLB_->setAlignment(Qt::AlignCenter);
  stLB_->setMinimumWidth(120);
  QPushButton* bnLoBatt = Button(supply, "bnLoBatt", QStringLiteral("Проверить"));
  row->addWidget(stLB_);
  row->addWidget(bnLoBatt);
  row->addStretch(1);
  column->addWidget(supply);
  ConnectAction(bnLoBatt, &QPushButton::clicked, context_, [this] {
    panel_.bnLoBattClick();
    Mirror();
  });
  return others;
}

void ServiceTab::Mirror() {
  stLB_->setText(panel_.stLB);
}

}  // namespace vrx
