#include "rq7/views/Rq7CurrentTab.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "session/ActionConnect.h"

namespace vrx {

Rq7CurrentTab::Rq7CurrentTab(RunContext& context, ReadLockout& lockout,
                             std::function<CurrentPath()> path, QWidget* parent)
    : QWidget(parent), context_(context), lockout_(lockout), path_(std::move(path)) {
  auto* grid = new QGridLayout(this);
  const auto field = [&](const QString& name) {
    auto* label = new QLabel(this);
    label->setObjectName(name);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    fields_[name] = label;
    return label;
  };
  int row = 0;
  const auto single = [&](const char* caption, const char* name) {
    grid->addWidget(new QLabel(QString::fromUtf8(caption), this), row, 0);
    grid->addWidget(field(QString::fromLatin1(name)), row++, 1, 1, 2);
  };
  single("Внутреннее время RTC:", "stRQRTC");
  single("Дата и время последней инициализации:", "stIniRQRTC");
  single("Время работы:", "stWTime");
  grid->addWidget(new QLabel(QStringLiteral("Канал 1"), this), row, 1);
  grid->addWidget(new QLabel(QStringLiteral("Канал 2"), this), row++, 2);
  const std::pair<const char*, const char*> rows[] = {
      {"dV, м3/имп:", "stDuRQ"}, {"V, м3:", "stRQG"},   {"v, m3/ч:", "stRQgt"},
      {"tp, ч:", "stRQtp"},      {"tош, ч:", "stRQer"},
  };
  for (auto [caption, prefix] : rows) {
    grid->addWidget(new QLabel(QString::fromUtf8(caption), this), row, 0);
    for (int ch = 1; ch <= 2; ++ch)
      grid->addWidget(field(QString::fromLatin1(prefix) + QString::number(ch)), row, ch);
    ++row;
  }
  single("Старт будильника:", "stAl1");
  single("Стоп будильника:", "stAl2");
  single("Сетевой адрес:", "stRQAddr");
  single("Зав. № :", "stRQNumber");
  grid->addWidget(new QLabel(QStringLiteral("НС:"), this), row, 0, Qt::AlignTop);
  grid->addWidget(field(QStringLiteral("stRQErrors1")), row++, 1, 1, 2);
  Button1_ = new QPushButton(QStringLiteral("Считать"), this);
  Button1_->setObjectName(QStringLiteral("Button1"));
  Button1_->setEnabled(lockout_.ButtonEnabled());
  grid->addWidget(Button1_, row++, 0);
  grid->setRowStretch(row, 1);
  grid->setColumnStretch(3, 1);

  ConnectAction(Button1_, &QPushButton::clicked, context_, [this] { Read(); });
  connect(&lockout_, &ReadLockout::changed, this,
          [this] { Button1_->setEnabled(lockout_.ButtonEnabled()); });
  connect(&lockout_, &ReadLockout::released, this, [this] {
    if (isVisible())
      Button1_->setFocus();
  });
}

void Rq7CurrentTab::Read() {
  const CurrentPath path = path_ ? path_() : CurrentPath::Cable;
  ReadLockout::Hold hold(lockout_, path == CurrentPath::Opx);
  // Fields filled before a failure keep their new texts.
  struct ShowOnExit {
    Rq7CurrentTab& tab;
    ~ShowOnExit() { tab.Refresh(); }
  } show{*this};
  ReadRq7Values(context_.connection, path, context_.messages, display_);
}

void Rq7CurrentTab::Refresh() {
  for (auto it = fields_.begin(); it != fields_.end(); ++it)
    it.value()->setText(display_.value(it.key()));
}

}  // namespace vrx
