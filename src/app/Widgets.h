#pragma once

#include <QPaintEvent>
#include <QPainter>
#include <QWidget>

namespace tq {

// The round status lamp.
class Lamp : public QWidget {
 public:
  using QWidget::QWidget;
  void setColour(const QColor& colour) {
    if (colour_ != colour) {
      colour_ = colour;
      update();
    }
  }
  QColor colour() const { return colour_; }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::black);
    p.setBrush(colour_);
    const int d = std::min(width(), height()) - 2;
    p.drawEllipse(1, 1, d, d);
  }

 private:
  QColor colour_ = Qt::green;
};

// Colours are stored as 0x00BBGGRR.
inline QColor ToQColor(std::uint32_t c) {
  return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                static_cast<int>((c >> 16) & 0xFF));
}

}  // namespace tq
