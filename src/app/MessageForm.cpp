#include "app/MessageForm.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <algorithm>

namespace vrx {

namespace {

const QString kAlphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");

// Colours come as 0x00BBGGRR or, with the high byte 0xFF, as a system colour index.
QColor ToQColor(uint32_t colour, const QPalette& palette) {
  if ((colour & 0xFF000000u) == 0xFF000000u) {
    switch (colour & 0xFFu) {
      case 5:
        return palette.color(QPalette::Base);
      case 8:
        return palette.color(QPalette::WindowText);
      case 15:
        return palette.color(QPalette::Button);
      default:
        return palette.color(QPalette::Window);
    }
  }
  return QColor(colour & 0xFFu, (colour >> 8) & 0xFFu, (colour >> 16) & 0xFFu);
}

QStyle::StandardPixmap IconOf(DialogKind kind) {
  switch (kind) {
    case DialogKind::Warning:
      return QStyle::SP_MessageBoxWarning;
    case DialogKind::Error:
      return QStyle::SP_MessageBoxCritical;
    case DialogKind::Information:
      return QStyle::SP_MessageBoxInformation;
    case DialogKind::Confirmation:
      return QStyle::SP_MessageBoxQuestion;
    case DialogKind::Custom:
      break;
  }
  return QStyle::SP_CustomBase;
}

QSize ScreenSize() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen != nullptr ? screen->geometry().size() : QSize(1024, 768);
}

}  // namespace

QFont ToQFont(const DialogFont& font) {
  QFont result(font.family);
  result.setPointSize(font.pointSize);
  result.setBold(font.bold);
  return result;
}

TMessageForm::TMessageForm(DialogKind kind, const QString& text, const QString& caption,
                           const DialogFont& font, uint32_t colour, bool addCancel,
                           int defaultIndex, const QStringList& buttons)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint),
      text_(text),
      hasCancel_(addCancel) {
  CheckButtonList(buttons);
  setObjectName(QStringLiteral("MessageForm"));
  setWindowTitle(caption);
  setLayoutDirection(QGuiApplication::layoutDirection());
  setFont(ToQFont(font));
  QPalette palette = this->palette();
  palette.setColor(QPalette::WindowText, ToQColor(font.colour, palette));
  if (colour != kColorNone) {
    palette.setColor(QPalette::Window, ToQColor(colour, palette));
    setAutoFillBackground(true);
  }
  setPalette(palette);

  QStringList all = buttons;
  if (addCancel)
    all << QStringLiteral("Отмена");
  Build(kind, text, all, defaultIndex);
}

void TMessageForm::Build(DialogKind kind, const QString& text, const QStringList& buttons,
                         int defaultIndex) {
  const QFontMetrics fm(font());
  const QSize screen = ScreenSize();

  DialogMetrics metrics;
  metrics.averageCharWidth = fm.horizontalAdvance(kAlphabet) / 52;
  metrics.textHeight = fm.height();
  metrics.message = fm.boundingRect(QRect(0, 0, screen.width() / 2, 0),
                                    Qt::AlignLeft | Qt::TextWordWrap | Qt::TextExpandTabs, text)
                        .size();
  for (const QString& caption : buttons)
    metrics.widestButton = std::max(metrics.widestButton, fm.horizontalAdvance(caption));
  metrics.buttonCount = static_cast<int>(buttons.size());
  metrics.hasIcon = kind != DialogKind::Custom;
  metrics.rightToLeft = layoutDirection() == Qt::RightToLeft;
  metrics.screen = screen;
  layout_ = ComputeDialogLayout(metrics);

  setFixedSize(layout_.client);
  move(layout_.position);

  if (metrics.hasIcon) {
    auto* image = new QLabel(this);
    image->setObjectName(QStringLiteral("Image"));
    const int size = DialogLayout::kIconSize;
    image->setPixmap(style()->standardIcon(IconOf(kind), nullptr, this).pixmap(size, size));
    image->setGeometry(layout_.icon);
  }

  auto* message = new QLabel(this);
  message->setObjectName(QStringLiteral("Message"));
  message->setTextFormat(Qt::PlainText);
  message->setWordWrap(true);
  message->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  message->setText(text);
  message->setGeometry(layout_.message);

  QPushButton* focused = nullptr;
  const int cancelIndex = hasCancel_ ? static_cast<int>(buttons.size()) - 1 : -1;
  for (int i = 0; i < buttons.size(); ++i) {
    auto* button = new QPushButton(buttons[i], this);
    button->setObjectName(QStringLiteral("btn%1").arg(i));
    button->setGeometry(layout_.buttons[i]);
    const int result = i == cancelIndex ? 0 : i + 1;
    connect(button, &QPushButton::clicked, this, [this, result] { done(result); });
    if (i == defaultIndex) {
      button->setDefault(true);
      focused = button;
    }
  }
  if (focused == nullptr)
    focused = findChild<QPushButton*>(QStringLiteral("btn0"));
  focused->setFocus();
}

void TMessageForm::reject() {
  if (hasCancel_)
    done(0);
}

}  // namespace vrx
