// Small controls of the windows: the raised panel that serves as the start
// and stop buttons, and the pictures of the picture buttons.
#pragma once

#include <QFrame>
#include <QIcon>

// A raised panel (bevel 2) with a centred caption, coloured background and
// text, that acts as a push button.
class PanelButton : public QFrame {
  Q_OBJECT
public:
  PanelButton(const QString& caption, QWidget* parent);
  void setColours(const QColor& background, const QColor& text);
  QString caption() const { return caption_; }
  void setCaption(const QString& caption) {
    caption_ = caption;
    update();
  }
  QColor backgroundColour() const { return background_; }
  QColor textColour() const { return text_; }
  // Presses the panel as a mouse click would.
  void click() { emit clicked(); }

signals:
  void clicked();

protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent*) override { update(); }
  void focusOutEvent(QFocusEvent*) override { update(); }

private:
  // Sinks or raises the bevel.
  void setPressed(bool pressed);

  QString caption_;
  QColor background_, text_;
  bool pressed_ = false;
};

enum class Picture {
  vectors,
  pressure,
  density,
  zoomOut,
  zoomIn,
  panUp,
  panDown,
  panLeft,
  panRight,
};

QIcon pictureIcon(Picture picture);
