#include "stamp/views/ClockVerifyForm.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <utility>

namespace vrx {

namespace {

const QColor kMaroon(0x80, 0x00, 0x00);

QLabel* AddLabel(QWidget* parent, QVBoxLayout* layout, const char* name, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setAlignment(Qt::AlignCenter);
  label->setTextFormat(Qt::PlainText);
  layout->addWidget(label);
  return label;
}

}  // namespace

TClockVerifyForm::TClockVerifyForm(PcClock clock, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      clock_(std::move(clock)) {
  setObjectName(QStringLiteral("ClockVerifyForm"));
  setWindowTitle(QStringLiteral("Проверка часов"));
  QFont base(QStringLiteral("Arial"));
  base.setPointSize(10);
  setFont(base);

  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  layout->setContentsMargins(24, 16, 24, 16);
  layout->setSpacing(12);

  QLabel* title = AddLabel(this, layout, "Label1", QStringLiteral("Проверьте время!"));
  QFont titleFont = base;
  titleFont.setPointSize(14);
  titleFont.setBold(true);
  title->setFont(titleFont);
  QPalette titlePalette = title->palette();
  titlePalette.setColor(QPalette::WindowText, kMaroon);
  title->setPalette(titlePalette);

  clockDisplay_ = AddLabel(this, layout, "clockDisplay", QStringLiteral("00:00:00 00.00.00"));
  QFont clockFont = base;
  clockFont.setPointSize(12);
  clockFont.setBold(true);
  clockDisplay_->setFont(clockFont);

  AddLabel(this, layout, "Label3", QStringLiteral("Это правильное время?"));

  auto* buttons = new QHBoxLayout();
  buttons->setSpacing(16);
  auto* yes = new QPushButton(QStringLiteral("&Да"), this);
  yes->setObjectName(QStringLiteral("BitBtn1"));
  yes->setDefault(true);
  connect(yes, &QPushButton::clicked, this, &QDialog::accept);
  auto* no = new QPushButton(QStringLiteral("&Нет"), this);
  no->setObjectName(QStringLiteral("BitBtn2"));
  connect(no, &QPushButton::clicked, this, &QDialog::reject);
  buttons->addStretch();
  buttons->addWidget(yes);
  buttons->addWidget(no);
  buttons->addStretch();
  layout->addLayout(buttons);

  timer_ = new QTimer(this);
  timer_->setObjectName(QStringLiteral("Timer1"));
  timer_->setInterval(kRefreshMs);
  connect(timer_, &QTimer::timeout, this, &TClockVerifyForm::RefreshClock);
}

bool TClockVerifyForm::ConfirmPcTime() {
  const bool confirmed = exec() == QDialog::Accepted;
  if (confirmed) {
    // Let the window finish closing before the caller goes on talking to the instrument.
    QCoreApplication::processEvents();
  }
  return confirmed;
}

void TClockVerifyForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
  RefreshClock();
  timer_->start();
}

void TClockVerifyForm::hideEvent(QHideEvent* event) {
  timer_->stop();
  QDialog::hideEvent(event);
}

void TClockVerifyForm::RefreshClock() {
  clockDisplay_->setText(clock_().toString(QStringLiteral("dd.MM.yy hh:mm:ss")));
}

}  // namespace vrx
