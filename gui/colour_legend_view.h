// The colour legend on screen and in saved pictures: the quantity's name,
// then one row per colour of the scale with a swatch and its value.  It
// stands beside the view bitmap, never in it: on screen in a column of its
// own at the window's right, which the view does not take.
#pragma once

#include "view/colour_legend.h"

#include <QImage>
#include <QString>
#include <QWidget>

#include <optional>

class QPainter;

// The value text of one row, as the legend shows it: at most 4 significant
// digits, every row with the decimals of the largest value (exponent form
// from 10,000 up), a value that rounds to zero there as "0".
QString legendRowText(const ColourLegend& legend, int row);
// The legend's font, also that of the scale bar beside it.
QFont legendFont();
// The width of the window's legend column, which holds any legend, and how
// far down the window the tallest legend (the vectors' 21 rows) reaches.
int legendColumnWidth();
int legendColumnBottom();
// The size the legend needs in the application's font, logical pixels.
int legendWidth(const ColourLegend& legend);
int legendHeight(const ColourLegend& legend);
// Paints the legend with its top left corner at (left, top).
void paintColourLegend(QPainter& p, int left, int top, const ColourLegend& legend);

// The picture as saved: the view's pixels as they are, and the legend in a
// white strip to their right when a map or the vectors are shown.
QImage pictureWithLegend(const QImage& view, const ColourLegend& legend);
// Writes a PNG whole or not at all (files/save_file.h).  Returns the
// Japanese message of a failure, or nothing.
std::optional<QString> savePicturePng(const QString& path, const QImage& image);

// The legend on the main window: in the legend column at its right edge,
// below the pan cross, shown only while a map or the vectors are.
class ColourLegendStrip : public QWidget {
public:
  explicit ColourLegendStrip(QWidget* parent);
  void setLegend(const ColourLegend& legend);
  const ColourLegend& legend() const { return legend_; }

protected:
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void place();
  ColourLegend legend_;
};
