#include "ui/controls.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cmath>

PanelButton::PanelButton(const QString& caption, QWidget* parent)
    : QFrame(parent), caption_(caption) {
  setFrameStyle(QFrame::Panel | QFrame::Raised);
  setLineWidth(2);
  setCursor(Qt::PointingHandCursor);
  // Reached with Tab (a click leaves the focus where it was); Space or
  // Return presses it.
  setFocusPolicy(Qt::TabFocus);
}

void PanelButton::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter)
    emit clicked();
  else
    QFrame::keyPressEvent(event);
}

void PanelButton::setColours(const QColor& background, const QColor& text) {
  background_ = background;
  text_ = text;
  update();
}

void PanelButton::paintEvent(QPaintEvent* event) {
  {
    QPainter p(this);
    p.fillRect(rect(), background_);
    p.setPen(text_);
    p.setFont(font());
    p.drawText(rect(), Qt::AlignCenter, caption_);
    // The keyboard focus: a dotted line inside the bevel, in the text's colour.
    if (hasFocus()) {
      p.setPen(QPen(text_, 1, Qt::DotLine));
      p.drawRect(rect().adjusted(3, 3, -4, -4));
    }
  }
  // Painting only reads the state: a frame change here would schedule
  // another paint, and the panel would repaint itself for ever.
  QFrame::paintEvent(event);
}

void PanelButton::setPressed(bool pressed) {
  pressed_ = pressed;
  setFrameShadow(pressed ? QFrame::Sunken : QFrame::Raised); // repaints
}

void PanelButton::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  setPressed(true);
}

void PanelButton::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !pressed_) return;
  setPressed(false);
  if (rect().contains(event->position().toPoint())) emit clicked();
}

namespace {

void drawArrow(QPainter& p, QPointF from, QPointF to) {
  p.drawLine(from, to);
  const double a = std::atan2(to.y() - from.y(), to.x() - from.x());
  const double h = 3.5;
  p.drawLine(to, to - QPointF(h * std::cos(a - 0.6), h * std::sin(a - 0.6)));
  p.drawLine(to, to - QPointF(h * std::cos(a + 0.6), h * std::sin(a + 0.6)));
}

void drawMagnifier(QPainter& p, bool plus) {
  p.setPen(QPen(Qt::black, 1.5));
  p.drawEllipse(QPointF(7, 7), 4.5, 4.5);
  p.drawLine(QPointF(10.5, 10.5), QPointF(14.5, 14.5));
  p.drawLine(QPointF(5, 7), QPointF(9, 7));
  if (plus) p.drawLine(QPointF(7, 5), QPointF(7, 9));
}

void drawPanTriangle(QPainter& p, double angle) {
  // A solid triangle pointing along angle (radians, screen coordinates).
  const QPointF c(8, 8);
  QPolygonF t;
  for (double d : {0.0, 2.4, -2.4})
    t << c + QPointF(6 * std::cos(angle + d), 6 * std::sin(angle + d));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 128));
  p.drawPolygon(t);
}

} // namespace

QIcon pictureIcon(Picture picture) {
  QPixmap pm(16, 16);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  switch (picture) {
  case Picture::vectors:
    p.setPen(QPen(QColor(0, 0, 200), 1.2));
    drawArrow(p, {1, 4}, {9, 3});
    p.setPen(QPen(QColor(0, 160, 0), 1.2));
    drawArrow(p, {2, 9}, {13, 8});
    p.setPen(QPen(QColor(220, 0, 0), 1.2));
    drawArrow(p, {1, 14}, {10, 12});
    break;
  case Picture::pressure: {
    const QColor bands[] = {QColor(0, 0, 255), QColor(0, 255, 255), QColor(255, 255, 0),
                            QColor(255, 0, 0)};
    for (int k = 0; k < 4; ++k) {
      p.setPen(Qt::NoPen);
      p.setBrush(bands[k]);
      p.drawEllipse(QPointF(8, 8), 7.5 - 1.8 * k, 7.5 - 1.8 * k);
    }
    break;
  }
  case Picture::density:
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 4; ++i)
      for (int j = 0; j < 4; ++j) {
        p.setBrush(i + j < 3 ? QColor(0, 0, 160) : QColor(120, 160, 255));
        const double r = i + j < 3 ? 1.6 : 1.0;
        p.drawEllipse(QPointF(2.5 + 3.6 * i, 2.5 + 3.6 * j), r, r);
      }
    break;
  case Picture::zoomOut:
    drawMagnifier(p, false);
    break;
  case Picture::zoomIn:
    drawMagnifier(p, true);
    break;
  case Picture::panUp:
    drawPanTriangle(p, -M_PI / 2);
    break;
  case Picture::panDown:
    drawPanTriangle(p, M_PI / 2);
    break;
  case Picture::panLeft:
    drawPanTriangle(p, M_PI);
    break;
  case Picture::panRight:
    drawPanTriangle(p, 0);
    break;
  }
  return QIcon(pm);
}
