#pragma once

#include <QColor>
#include <QFont>
#include <QPoint>

#include "platform/Canvas.h"

class QPainter;

namespace tq {

// The program's canvas on a QPainter, drawing as the classic GDI canvas did: lines without
// antialiasing and without their last pixel, not-xor as a raster operation, text placed by
// its top-left corner on a background of the brush colour, rectangles with exclusive right
// and bottom edges. The painter must outlive the canvas.
class QtCanvas : public Canvas {
 public:
  explicit QtCanvas(QPainter* painter);

  void moveTo(int x, int y) override;
  void lineTo(int x, int y) override;
  void textOut(int x, int y, std::string_view text) override;
  TextSize textExtent(std::string_view text) override;
  void rectangle(int left, int top, int right, int bottom) override;

  void setPenColour(Colour colour) override { penColour_ = ToQColor(colour); }
  void setPenWidth(int width) override { penWidth_ = width < 1 ? 1 : width; }
  void setPenStyle(PenStyle style) override { penStyle_ = style; }
  void setPenMode(PenMode mode) override { penMode_ = mode; }
  void setBrushColour(Colour colour) override { brushColour_ = ToQColor(colour); }
  void setFont(std::string_view name, int pointSize, Colour colour) override;
  void setFontHeight(std::string_view name, int heightPx, Colour colour) override;

  QPoint penPosition() const { return position_; }

  // 0x00BBGGRR to a colour.
  static QColor ToQColor(Colour colour);
  // A thin solid line straight into the pixels of a 32-bit image under `painter`, start
  // pixel drawn and end pixel left out, as the classic LineTo did. Much faster than the
  // painter for the thousands of short segments of a trace. False (nothing drawn) when the
  // painter is not on such an image or is clipped or transformed.
  static bool DrawThinLine(QPainter* painter, QPoint from, QPoint to, QColor colour);

 private:
  void applyPen();
  void applyMode();

  QPainter* painter_;
  QPoint position_;
  QColor penColour_{Qt::black};
  int penWidth_ = 1;
  PenStyle penStyle_ = PenStyle::Solid;
  PenMode penMode_ = PenMode::Copy;
  QColor brushColour_{Qt::white};
  QFont font_;
  QColor fontColour_{Qt::black};
};

}  // namespace tq
