#include "SchemeDrawing.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace vrx {
namespace {

constexpr int kWidth = 760;
constexpr int kMargin = 16;
constexpr int kLineHeight = 20;
constexpr int kRowHeight = 56;
constexpr int kPairGap = 18;
constexpr int kBlockWidth = 104;
constexpr int kPipeLeft = kMargin + kBlockWidth;
constexpr int kPipeRight = kWidth - kMargin - kBlockWidth;
constexpr int kLabelX = kPipeLeft + 10;
constexpr int kFlowX = 330;
constexpr int kTempX = 430;
constexpr int kPressureX = 510;
constexpr int kCircuitX = 560;
constexpr int kSymbolRadius = 14;

const QColor kSupply(200, 40, 30);
const QColor kReturn(30, 80, 190);
// A water-only scheme has no supply and return: every pipe is drawn alike.
const QColor kWater(20, 120, 150);
const QColor kOptional(120, 120, 120);
const QColor kInk(20, 20, 20);
const QColor kBlockFill(235, 235, 235);

constexpr int kFlowBit = 1;
constexpr int kTemperatureBit = 2;
constexpr int kTimerBit = 4;

QFont Font(int pixels, bool bold = false) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

QString ChannelList(uint8_t nibbles) {
  QStringList channels;
  for (const int channel : {nibbles >> 4, nibbles & 0x0F}) {
    if (channel != 0)
      channels << QStringLiteral("К%1").arg(channel);
  }
  return channels.join(QStringLiteral(", "));
}

bool InCircuit(uint8_t nibbles, int channel) {
  return (nibbles >> 4) == channel || (nibbles & 0x0F) == channel;
}

// The circuit mark of a channel: "Q1" when the channel counts into circuit 1 for every model of
// the picture, "(Q1)" when only for some of them.
QString CircuitMark(const SchemeSketch& sketch, int circuit, int channel) {
  int in = 0;
  for (const SchemeSketch::Models& group : sketch.models) {
    if (InCircuit(circuit == 1 ? group.circuit1 : group.circuit2, channel))
      ++in;
  }
  if (in == 0)
    return {};
  const QString mark = QStringLiteral("Q%1").arg(circuit);
  return in == static_cast<int>(sketch.models.size()) ? mark : QStringLiteral("(%1)").arg(mark);
}

// The optional channel as the models have it: one dashed pipe per kind of channel (what it
// measures), with the channel number at each model of that kind.
struct OptionalRow {
  int kind = 0;
  QStringList where;
};

std::vector<OptionalRow> OptionalRows(const SchemeSketch& sketch) {
  std::vector<OptionalRow> rows;
  for (const SchemeSketch::Models& group : sketch.models) {
    if (group.optionalChannel == 0)
      continue;
    auto row = std::find_if(rows.begin(), rows.end(),
                            [&](const OptionalRow& r) { return r.kind == group.optionalKind; });
    if (row == rows.end())
      row = rows.insert(rows.end(), OptionalRow{group.optionalKind, {}});
    row->where << QStringLiteral("К%1 у %2")
                      .arg(group.optionalChannel)
                      .arg(group.names.join(QStringLiteral(", ")));
  }
  return rows;
}

// A transducer on the pipe: a circle with its short name above the line.
void Transducer(QPainter& p, int x, int y, const QString& name) {
  p.setPen(QPen(kInk, 2));
  p.setBrush(Qt::white);
  p.drawEllipse(QPoint(x, y), kSymbolRadius, kSymbolRadius);
  p.setFont(Font(10, true));
  p.drawText(QRect(x - kSymbolRadius, y - kSymbolRadius, 2 * kSymbolRadius, 2 * kSymbolRadius),
             Qt::AlignCenter, name);
}

// A small clock: the channel counts its own operating time.
void Clock(QPainter& p, int x, int y) {
  p.setPen(QPen(kInk, 1.5));
  p.setBrush(Qt::white);
  p.drawEllipse(QPoint(x, y), 7, 7);
  p.drawLine(x, y, x, y - 5);
  p.drawLine(x, y, x + 4, y);
}

void Arrow(QPainter& p, int x, int y, bool right, const QColor& color) {
  QPainterPath head;
  const int dx = right ? 10 : -10;
  head.moveTo(x + dx, y);
  head.lineTo(x - dx, y - 6);
  head.lineTo(x - dx, y + 6);
  head.closeSubpath();
  p.fillPath(head, color);
}

void Pipe(QPainter& p, int y, int kind, const QString& label, const QColor& color, bool forward,
          bool dashed) {
  p.setPen(QPen(color, 4, dashed ? Qt::DashLine : Qt::SolidLine));
  p.drawLine(kPipeLeft, y, kPipeRight, y);
  if (!dashed) {
    Arrow(p, (kPipeLeft + kFlowX) / 2 + 30, y, forward, color);
    Arrow(p, kPressureX + 30, y, forward, color);
  }
  p.setPen(kInk);
  p.setFont(Font(13, true));
  p.drawText(kLabelX, y - 8, label);
  if ((kind & kFlowBit) != 0)
    Transducer(p, kFlowX, y, QStringLiteral("ПР"));
  if ((kind & kTemperatureBit) != 0) {
    Transducer(p, kTempX, y, QStringLiteral("ТС"));
    Transducer(p, kPressureX, y, QStringLiteral("ПД"));
  }
  if ((kind & kTimerBit) != 0)
    Clock(p, kLabelX + 10, y + 16);
}

void Block(QPainter& p, const QRect& rect, const QString& text) {
  p.setPen(QPen(kInk, 2));
  p.setBrush(kBlockFill);
  p.drawRect(rect);
  p.setFont(Font(12, true));
  p.drawText(rect, Qt::AlignCenter | Qt::TextWordWrap, text);
}

// Channels drawn as pipes: those of the scheme itself, channels 1-2 and 3-4 forming pairs.
std::vector<int> DrawnChannels(const SchemeSketch& sketch) {
  std::vector<int> channels;
  for (int channel = 1; channel <= static_cast<int>(sketch.kinds.size()); ++channel) {
    if ((sketch.kinds[static_cast<size_t>(channel - 1)] & (kFlowBit | kTemperatureBit)) != 0)
      channels.push_back(channel);
  }
  return channels;
}

QStringList FooterLines(const SchemeSketch& sketch) {
  QStringList lines;
  if (!sketch.CircuitsDiffer()) {
    const SchemeSketch::Models& first = sketch.models.front();
    for (const auto& [name, nibbles] :
         {std::pair{1, first.circuit1}, std::pair{2, first.circuit2}}) {
      if (nibbles != 0)
        lines << QStringLiteral("Q%1 — тепловой контур %1: теплота и масса по каналам %2")
                     .arg(name)
                     .arg(ChannelList(nibbles));
    }
  } else {
    lines << QStringLiteral("Каналы тепловых контуров у моделей разные (в скобках — не у всех):");
    for (const SchemeSketch::Models& group : sketch.models) {
      QStringList circuits;
      for (const uint8_t nibbles : {group.circuit1, group.circuit2}) {
        if (nibbles != 0)
          circuits << QStringLiteral("Q%1 — %2").arg(circuits.size() + 1).arg(ChannelList(nibbles));
      }
      lines << QStringLiteral("%1: %2").arg(group.names.join(QStringLiteral(", ")),
                                            circuits.join(QStringLiteral("; ")));
    }
  }
  if (sketch.massVolume)
    lines << QStringLiteral("Каждый канал считает массу или объём; теплота не вычисляется.");
  if (sketch.coldWater)
    lines << QStringLiteral("Холодная вода: tхв и Pхв — измеряемые или договорные значения.");
  lines << QStringLiteral("ПР — преобразователь расхода, ТС — термопреобразователь сопротивления,")
        << QStringLiteral("ПД — давление (датчик на токовом входе или договорное значение);")
        << QStringLiteral("часы — свой счётчик времени наработки канала.");
  return lines;
}

}  // namespace

QImage DrawScheme(const SchemeSketch& sketch) {
  const std::vector<int> channels = DrawnChannels(sketch);
  const std::vector<OptionalRow> optionalRows = OptionalRows(sketch);
  const int optionalHeight = kRowHeight + 2 * kLineHeight;
  const QStringList footer = FooterLines(sketch);
  const bool twoPairs = !channels.empty() && channels.front() <= 2 && channels.back() >= 3;

  const int headerHeight = kMargin + 28 + kLineHeight * static_cast<int>(sketch.models.size());
  const int pipesTop = headerHeight + 40;
  const int pipesHeight =
      kRowHeight * static_cast<int>(channels.size()) + (twoPairs ? kPairGap : 0);
  const int optionalTop = pipesTop + pipesHeight;
  const int footerTop = optionalTop + optionalHeight * static_cast<int>(optionalRows.size()) + 8;
  const int height = footerTop + kLineHeight * static_cast<int>(footer.size()) + kMargin;

  QImage image(kWidth, height, QImage::Format_RGB888);
  image.fill(Qt::white);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);

  p.setPen(kInk);
  p.setFont(Font(18, true));
  p.drawText(kMargin, kMargin + 18,
             QStringLiteral("Измерительная схема (рисунок %1)").arg(sketch.picture));
  p.setFont(Font(13));
  int y = kMargin + 28 + 14;
  for (const SchemeSketch::Models& group : sketch.models) {
    p.setFont(Font(13, true));
    p.drawText(kMargin, y, QStringLiteral("Схема %1").arg(group.schemeNumber));
    p.setFont(Font(13));
    p.drawText(kMargin + 90, y, group.names.join(QStringLiteral(", ")));
    y += kLineHeight;
  }

  if (!channels.empty()) {
    const QRect pipes(kMargin, pipesTop - kRowHeight / 2 + 4, kBlockWidth, pipesHeight);
    Block(p, pipes,
          sketch.massVolume ? QStringLiteral("Источник") : QStringLiteral("Источник теплоты"));
    Block(p, pipes.translated(kPipeRight - kMargin, 0), QStringLiteral("Потребитель"));
  }
  y = pipesTop + kRowHeight / 2 - 20;
  bool secondPair = false;
  for (const int channel : channels) {
    if (twoPairs && channel >= 3 && !secondPair) {
      y += kPairGap;
      secondPair = true;
    }
    const int kind = sketch.kinds[static_cast<size_t>(channel - 1)];
    if (sketch.massVolume) {
      Pipe(p, y, kind, QStringLiteral("К%1").arg(channel), kWater, true, false);
    } else {
      const bool supply = channel % 2 == 1;
      const QString label = QStringLiteral("К%1 %2").arg(channel).arg(
          supply ? QStringLiteral("подающий") : QStringLiteral("обратный"));
      Pipe(p, y, kind, label, supply ? kSupply : kReturn, supply, false);
    }
    QStringList circuits;
    for (const int circuit : {1, 2}) {
      const QString mark = CircuitMark(sketch, circuit, channel);
      if (!mark.isEmpty())
        circuits << mark;
    }
    p.setPen(kInk);
    p.setFont(Font(13, true));
    p.drawText(kCircuitX, y - 8, circuits.join(QStringLiteral(" ")));
    y += kRowHeight;
  }

  y = optionalTop + kRowHeight / 2;
  for (const OptionalRow& row : optionalRows) {
    Pipe(p, y, row.kind, QStringLiteral("Доп. канал"), kOptional, true, true);
    p.setPen(kInk);
    p.setFont(Font(11));
    p.drawText(QRect(kLabelX, y + kSymbolRadius + 4, kWidth - kMargin - kLabelX, 2 * kLineHeight),
               Qt::TextWordWrap,
               QStringLiteral("Включается по выбору: ") + row.where.join(QStringLiteral("; ")));
    y += optionalHeight;
  }

  p.setPen(kInk);
  p.setFont(Font(12));
  y = footerTop + 14;
  for (const QString& line : footer) {
    p.drawText(kMargin, y, line);
    y += kLineHeight;
  }
  return image;
}

}  // namespace vrx
