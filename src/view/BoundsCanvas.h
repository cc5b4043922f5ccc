#pragma once

#include <algorithm>
#include <string_view>

#include "platform/Canvas.h"

namespace tq {

// Passes every call to another canvas and keeps the bounding box of what was drawn, so
// that a window can refresh just the touched part after a live point.
class BoundsCanvas : public Canvas {
 public:
  explicit BoundsCanvas(Canvas& inner) : inner_(inner) {}

  bool empty() const { return right_ < left_; }
  // Inclusive pixel bounds, grown by the widest pen used.
  int left() const { return left_; }
  int top() const { return top_; }
  int right() const { return right_; }
  int bottom() const { return bottom_; }

  void moveTo(int x, int y) override {
    x_ = x;
    y_ = y;
    inner_.moveTo(x, y);
  }
  void lineTo(int x, int y) override {
    include(std::min(x_, x) - pad_, std::min(y_, y) - pad_, std::max(x_, x) + pad_,
            std::max(y_, y) + pad_);
    x_ = x;
    y_ = y;
    inner_.lineTo(x, y);
  }
  void textOut(int x, int y, std::string_view text) override {
    const TextSize size = inner_.textExtent(text);
    include(x, y, x + size.width, y + size.height);
    x_ = x + size.width;
    y_ = y;
    inner_.textOut(x, y, text);
  }
  TextSize textExtent(std::string_view text) override { return inner_.textExtent(text); }
  void rectangle(int left, int top, int right, int bottom) override {
    include(std::min(left, right), std::min(top, bottom), std::max(left, right),
            std::max(top, bottom));
    inner_.rectangle(left, top, right, bottom);
  }
  void setPenColour(Colour colour) override { inner_.setPenColour(colour); }
  void setPenWidth(int width) override {
    pad_ = std::max(pad_, (width + 1) / 2);
    inner_.setPenWidth(width);
  }
  void setPenStyle(PenStyle style) override { inner_.setPenStyle(style); }
  void setPenMode(PenMode mode) override { inner_.setPenMode(mode); }
  void setBrushColour(Colour colour) override { inner_.setBrushColour(colour); }
  void setFont(std::string_view name, int pointSize, Colour colour) override {
    inner_.setFont(name, pointSize, colour);
  }
  void setFontHeight(std::string_view name, int heightPx, Colour colour) override {
    inner_.setFontHeight(name, heightPx, colour);
  }

 private:
  void include(int l, int t, int r, int b) {
    left_ = std::min(left_, l);
    top_ = std::min(top_, t);
    right_ = std::max(right_, r);
    bottom_ = std::max(bottom_, b);
  }

  Canvas& inner_;
  int x_ = 0, y_ = 0;
  int pad_ = 1;
  int left_ = 1 << 30, top_ = 1 << 30, right_ = -(1 << 30), bottom_ = -(1 << 30);
};

}  // namespace tq
