#include "ui/colour_legend_view.h"

#include "files/save_file.h"
#include "ui/number_text.h"
#include "ui/picture_texts.h"
#include "ui/window_text.h"

#include <QEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImageWriter>
#include <QPainter>

#include <algorithm>

namespace {

constexpr int kTitleHeight = 18;
constexpr int kRowHeight = 14;
constexpr int kSwatchWidth = 22;
// Top of the strip in the window: below the pan cross.
constexpr int kStripTop = 104;

QString quantityName(LegendQuantity q) {
  switch (q) {
  case LegendQuantity::vectors:
    return text(PictureText::vectors);
  case LegendQuantity::vorticity:
    return text(PictureText::vorticity);
  case LegendQuantity::pressure:
    return text(PictureText::pressure);
  case LegendQuantity::density:
    return text(PictureText::density);
  case LegendQuantity::none:
    break;
  }
  return {};
}

QColor colourOf(Colour c) {
  return QColor(c & 0xFF, c >> 8 & 0xFF, c >> 16 & 0xFF);
}

} // namespace

QString legendRowText(const ColourLegend& legend, int row) {
  const QString value = shortestDecimal(legend.rows[row].value);
  if (legend.quantity == LegendQuantity::vectors && row == 0)
    return text(PictureText::above) + value;
  return value;
}

int legendWidth(const ColourLegend& legend) {
  const QFontMetrics metrics(QGuiApplication::font());
  int widest = metrics.horizontalAdvance(quantityName(legend.quantity));
  for (int row = 0; row < legend.rowCount; ++row)
    widest =
        std::max(widest, kSwatchWidth + 4 + metrics.horizontalAdvance(legendRowText(legend, row)));
  return widest + 12;
}

int legendHeight(const ColourLegend& legend) {
  return kTitleHeight + legend.rowCount * kRowHeight + 4;
}

void paintColourLegend(QPainter& p, int left, int top, const ColourLegend& legend) {
  const int width = legendWidth(legend);
  p.save();
  p.setFont(QGuiApplication::font());
  p.fillRect(left, top, width, legendHeight(legend), Qt::white);
  p.setPen(Qt::black);
  p.drawText(QRect(left + 4, top, width - 4, kTitleHeight), Qt::AlignLeft | Qt::AlignVCenter,
             quantityName(legend.quantity));
  for (int row = 0; row < legend.rowCount; ++row) {
    const int y = top + kTitleHeight + row * kRowHeight;
    p.fillRect(left + 4, y, kSwatchWidth, kRowHeight, colourOf(legend.rows[row].colour));
    p.drawText(QRect(left + 8 + kSwatchWidth, y, width - 8 - kSwatchWidth, kRowHeight),
               Qt::AlignLeft | Qt::AlignVCenter, legendRowText(legend, row));
  }
  p.restore();
}

QImage pictureWithLegend(const QImage& view, const ColourLegend& legend) {
  if (legend.quantity == LegendQuantity::none) return view.convertToFormat(QImage::Format_RGB32);
  QImage picture(view.width() + legendWidth(legend), std::max(view.height(), legendHeight(legend)),
                 QImage::Format_RGB32);
  picture.fill(Qt::white);
  QPainter p(&picture);
  p.drawImage(0, 0, view);
  paintColourLegend(p, view.width(), 0, legend);
  return picture;
}

std::optional<QString> savePicturePng(const QString& path, const QImage& image) {
  const std::optional<QString> failure =
      saveFileWhole(path, [&image](QIODevice& device) -> std::optional<QString> {
        QImageWriter writer(&device, "png");
        if (writer.write(image)) return std::nullopt;
        return writer.errorString();
      });
  if (!failure) return std::nullopt;
  return text(PictureText::pictureNotSaved).arg(path, *failure);
}

ColourLegendStrip::ColourLegendStrip(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("ColourLegend"));
  setAttribute(Qt::WA_TransparentForMouseEvents);
  parent->installEventFilter(this);
  hide();
}

void ColourLegendStrip::setLegend(const ColourLegend& legend) {
  legend_ = legend;
  if (legend.quantity == LegendQuantity::none) {
    hide();
    return;
  }
  place();
  show();
  raise();
  update();
}

void ColourLegendStrip::place() {
  const int width = legendWidth(legend_);
  setGeometry(parentWidget()->width() - width, kStripTop, width, legendHeight(legend_));
}

bool ColourLegendStrip::eventFilter(QObject* watched, QEvent* event) {
  if (watched == parentWidget() && event->type() == QEvent::Resize) place();
  return QWidget::eventFilter(watched, event);
}

void ColourLegendStrip::paintEvent(QPaintEvent*) {
  QPainter p(this);
  paintColourLegend(p, 0, 0, legend_);
}
