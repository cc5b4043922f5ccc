#include "platform/qt/QtCanvas.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <QRect>
#include <algorithm>
#include <utility>

#include "platform/qt/QtText.h"

namespace tq {
namespace {

Qt::PenStyle ToQtStyle(PenStyle style) {
  switch (style) {
    case PenStyle::Solid:
      return Qt::SolidLine;
    case PenStyle::Dash:
      return Qt::DashLine;
    case PenStyle::Dot:
      return Qt::DotLine;
    case PenStyle::DashDot:
      return Qt::DashDotLine;
    case PenStyle::Clear:
      return Qt::NoPen;
  }
  return Qt::SolidLine;
}

QFontMetrics MetricsFor(const QFont& font, QPainter* painter) {
  if (painter->device()) return QFontMetrics(font, painter->device());
  return QFontMetrics(font);
}

}  // namespace

QtCanvas::QtCanvas(QPainter* painter) : painter_(painter), font_(painter->font()) {
  painter_->setRenderHint(QPainter::Antialiasing, false);
}

QColor QtCanvas::ToQColor(Colour colour) {
  return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                static_cast<int>((colour >> 16) & 0xFF));
}

void QtCanvas::applyPen() {
  QPen pen(penColour_);
  pen.setWidth(penWidth_);
  if (penWidth_ == 1) {
    pen.setStyle(ToQtStyle(penStyle_));
    // A flat cap leaves out the last pixel of a thin line, as the classic LineTo did, so
    // joined segments do not touch a pixel twice (which not-xor would undo).
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
  } else {
    // Wide pens are always solid and round-ended there.
    pen.setStyle(penStyle_ == PenStyle::Clear ? Qt::NoPen : Qt::SolidLine);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
  }
  painter_->setPen(pen);
  painter_->setRenderHint(QPainter::Antialiasing, false);
}

void QtCanvas::applyMode() {
  painter_->setCompositionMode(penMode_ == PenMode::NotXor
                                   ? QPainter::RasterOp_NotSourceXorDestination
                                   : QPainter::CompositionMode_SourceOver);
}

void QtCanvas::moveTo(int x, int y) {
  position_ = QPoint(x, y);
}

bool QtCanvas::DrawThinLine(QPainter* painter, QPoint from, QPoint to, QColor colour) {
  auto* image = dynamic_cast<QImage*>(painter->device());
  if (!image || painter->hasClipping() || !painter->worldTransform().isIdentity()) return false;
  const QImage::Format f = image->format();
  if (f != QImage::Format_RGB32 && f != QImage::Format_ARGB32 &&
      f != QImage::Format_ARGB32_Premultiplied)
    return false;
  const qint64 dx = std::abs(qint64{to.x()} - from.x());
  const qint64 dy = -std::abs(qint64{to.y()} - from.y());
  if (dx > 1 << 16 || -dy > 1 << 16) return false;
  const int sx = from.x() < to.x() ? 1 : -1;
  const int sy = from.y() < to.y() ? 1 : -1;
  const QRgb rgb = colour.rgb();
  const int w = image->width();
  const int h = image->height();
  const qsizetype stride = image->bytesPerLine() / 4;
  auto* bits = reinterpret_cast<QRgb*>(image->bits());
  qint64 err = dx + dy;
  int x = from.x();
  int y = from.y();
  while (x != to.x() || y != to.y()) {
    if (x >= 0 && y >= 0 && x < w && y < h) bits[y * stride + x] = rgb;
    const qint64 e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y += sy;
    }
  }
  return true;
}

void QtCanvas::lineTo(int x, int y) {
  const QPoint to(x, y);
  if (penStyle_ == PenStyle::Solid && penWidth_ == 1 && penMode_ == PenMode::Copy &&
      to != position_ && DrawThinLine(painter_, position_, to, penColour_)) {
    position_ = to;
    return;
  }
  if (penStyle_ != PenStyle::Clear && to != position_) {
    applyPen();
    applyMode();
    painter_->drawLine(position_, to);
  }
  position_ = to;
}

void QtCanvas::textOut(int x, int y, std::string_view text) {
  const QString s = ToQString(text);
  const QFontMetrics metrics = MetricsFor(font_, painter_);
  const int width = metrics.horizontalAdvance(s);
  // Text is painted opaque, whatever the pen mode.
  painter_->setCompositionMode(QPainter::CompositionMode_SourceOver);
  painter_->fillRect(QRect(x, y, width, metrics.height()), brushColour_);
  painter_->setFont(font_);
  painter_->setPen(fontColour_);
  painter_->drawText(QPoint(x, y + metrics.ascent()), s);
  position_ = QPoint(x + width, y);
}

TextSize QtCanvas::textExtent(std::string_view text) {
  const QFontMetrics metrics = MetricsFor(font_, painter_);
  return {metrics.horizontalAdvance(ToQString(text)), metrics.height()};
}

void QtCanvas::rectangle(int left, int top, int right, int bottom) {
  if (right < left) std::swap(left, right);
  if (bottom < top) std::swap(top, bottom);
  const int width = right - left;
  const int height = bottom - top;
  if (width == 0 || height == 0) return;
  applyMode();
  if (penStyle_ == PenStyle::Clear) {
    painter_->fillRect(QRect(left, top, width, height), brushColour_);
    return;
  }
  // Interior first, then the outline on the outermost pixels: no pixel is painted twice.
  if (width > 2 && height > 2)
    painter_->fillRect(QRect(left + 1, top + 1, width - 2, height - 2), brushColour_);
  applyPen();
  QPen pen = painter_->pen();
  pen.setJoinStyle(Qt::MiterJoin);
  pen.setCapStyle(Qt::SquareCap);
  painter_->setPen(pen);
  painter_->setBrush(Qt::NoBrush);
  painter_->drawRect(QRect(left, top, width - 1, height - 1));
}

void QtCanvas::setFont(std::string_view name, int pointSize, Colour colour) {
  font_ = QFont(ToQString(name));
  // The pixel size the point size gives at 96 dots per inch, so that the graph's layout does
  // not change with the screen's resolution.
  font_.setPixelSize(std::max(1, (pointSize * 96 + 36) / 72));
  fontColour_ = ToQColor(colour);
}

void QtCanvas::setFontHeight(std::string_view name, int heightPx, Colour colour) {
  font_ = QFont(ToQString(name));
  font_.setPixelSize(std::max(1, heightPx));
  fontColour_ = ToQColor(colour);
}

}  // namespace tq
