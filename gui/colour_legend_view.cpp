#include "gui/colour_legend_view.h"

#include "files/file_error.h"
#include "files/save_file.h"
#include "gui/picture_texts.h"
#include "gui/window_text.h"

#include <QEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImageWriter>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kTitleHeight = 16;
constexpr int kRowHeight = 12;
constexpr int kSwatchWidth = 22;
// Top of the strip in the window: below the pan cross.
constexpr int kStripTop = 104;
// The most rows a legend has: the vectors' 20 bins and the speeds above.
constexpr int kMostRows = 21;

// How the rows of a legend print: with `decimals` decimals, or in exponent
// form with 3 (4 significant digits) when `exponent`.
struct NumberForm {
  bool exponent = false;
  int decimals = 0;
};

NumberForm numberForm(const ColourLegend& legend) {
  double largest = 0;
  for (int row = 0; row < legend.rowCount; ++row)
    largest = std::max(largest, std::abs(legend.rows[row].value));
  if (largest >= 9999.5) return {true, 3};
  if (largest < 1e-12) return {};
  // 4 significant digits of the largest value; one decimal fewer when its
  // rounding carries into a new digit (9.9996 prints as 10.00).
  int decimals = std::max(0, 3 - static_cast<int>(std::floor(std::log10(largest))));
  const double scale = std::pow(10.0, decimals);
  if (decimals > 0 && std::round(largest * scale) >= 1e4) --decimals;
  return {false, decimals};
}

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

// Small enough for kRowHeight rows.
QFont legendFont() {
  QFont font = QGuiApplication::font();
  font.setPixelSize(11);
  return font;
}

QString legendRowText(const ColourLegend& legend, int row) {
  const NumberForm form = numberForm(legend);
  const double v = legend.rows[row].value;
  QString value;
  if (form.exponent)
    value = QString::number(v, 'e', form.decimals);
  else if (std::abs(v) * std::pow(10.0, form.decimals) < 0.5)
    value = QStringLiteral("0"); // zero to the rounding of the other rows
  else
    value = QString::number(v, 'f', form.decimals);
  if (legend.quantity == LegendQuantity::vectors && row == 0)
    return text(PictureText::above) + value;
  return value;
}

int legendWidth(const ColourLegend& legend) {
  const QFontMetrics metrics(legendFont());
  int widest = metrics.horizontalAdvance(quantityName(legend.quantity));
  for (int row = 0; row < legend.rowCount; ++row)
    widest =
        std::max(widest, kSwatchWidth + 4 + metrics.horizontalAdvance(legendRowText(legend, row)));
  return widest + 12;
}

int legendHeight(const ColourLegend& legend) {
  return kTitleHeight + legend.rowCount * kRowHeight + 4;
}

int legendColumnWidth() {
  // The widest name and the widest value a legend prints: a sign, 4
  // significant digits after leading zeros (speeds of a millionth), or the
  // exponent form.
  ColourLegend widest;
  widest.rowCount = 1;
  widest.rows[0].value = -0.000001234;
  int width = 0;
  for (LegendQuantity q : {LegendQuantity::vectors, LegendQuantity::vorticity,
                           LegendQuantity::pressure, LegendQuantity::density}) {
    widest.quantity = q;
    width = std::max(width, legendWidth(widest));
  }
  const QFontMetrics metrics(legendFont());
  return std::max(width,
                  kSwatchWidth + 16 + metrics.horizontalAdvance(QStringLiteral("-1.234e+05")));
}

int legendColumnBottom() {
  ColourLegend tallest;
  tallest.rowCount = kMostRows;
  return kStripTop + legendHeight(tallest);
}

void paintColourLegend(QPainter& p, int left, int top, const ColourLegend& legend) {
  const int width = legendWidth(legend);
  p.save();
  p.setFont(legendFont());
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
  return text(PictureText::pictureNotSaved)
      .arg(path, fileErrorReason(path, FileAccess::write, *failure));
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
  const int width = std::max(legendWidth(legend_), legendColumnWidth());
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
