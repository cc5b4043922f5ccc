#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/Canvas.h"

namespace tq::test {

// A canvas that records every call, with the pen, brush and font in force, for painter
// tests to query. Text is measured as a fixed charWidth per character and textHeight high.
class RecordingCanvas : public Canvas {
 public:
  enum class Kind {
    MoveTo,
    LineTo,
    TextOut,
    TextExtent,
    Rectangle,
    PenColour,
    PenWidth,
    PenStyle,
    PenMode,
    BrushColour,
    Font
  };

  struct Call {
    Kind kind = Kind::MoveTo;
    // LineTo: from (x0, y0) to (x1, y1). MoveTo and TextOut: (x0, y0). Rectangle: left,
    // top, right, bottom.
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    std::string text;  // TextOut, TextExtent, Font (the font name)
    Colour penColour = 0;
    int penWidth = 1;
    tq::PenStyle penStyle = tq::PenStyle::Solid;
    tq::PenMode penMode = tq::PenMode::Copy;
    Colour brushColour = 0xFFFFFF;
    std::string fontName;
    int fontSize = 8;
    int fontHeight = 0;
    Colour fontColour = 0;
  };

  int charWidth = 6;
  int textHeight = 13;
  // Text as wide as the font's size makes it (four fifths of the point size a character, a
  // little more than Arial needs at 96 dots per inch) instead of charWidth.
  bool widthFollowsFont = false;

  void moveTo(int x, int y) override;
  void lineTo(int x, int y) override;
  void textOut(int x, int y, std::string_view text) override;
  TextSize textExtent(std::string_view text) override;
  void rectangle(int left, int top, int right, int bottom) override;

  void setPenColour(Colour colour) override;
  void setPenWidth(int width) override;
  void setPenStyle(tq::PenStyle style) override;
  void setPenMode(tq::PenMode mode) override;
  void setBrushColour(Colour colour) override;
  void setFont(std::string_view name, int pointSize, Colour colour) override;
  // Recorded as a font of size 0 with its height in fontHeight.
  void setFontHeight(std::string_view name, int heightPx, Colour colour) override;

  const std::vector<Call>& calls() const { return calls_; }
  void clear() { calls_.clear(); }

  // Calls of one kind, in order.
  std::vector<Call> ofKind(Kind kind) const;
  // Line segments drawn (zero-length ones included), optionally only those in a colour.
  std::vector<Call> lines() const { return ofKind(Kind::LineTo); }
  std::vector<Call> linesIn(Colour colour) const;
  std::vector<Call> rectangles() const { return ofKind(Kind::Rectangle); }
  std::vector<Call> textCalls() const { return ofKind(Kind::TextOut); }
  // The texts drawn, in order; optionally only those in a font colour.
  std::vector<std::string> texts() const;
  std::vector<std::string> textsIn(Colour fontColour) const;
  // The first TextOut of exactly this text; nullptr when there is none.
  const Call* findText(std::string_view text) const;
  bool hasText(std::string_view text) const { return findText(text) != nullptr; }
  int count(Kind kind) const;

  int penX() const { return x_; }
  int penY() const { return y_; }

 private:
  Call snapshot(Kind kind) const;
  int widthOf(std::string_view text) const;

  std::vector<Call> calls_;
  int x_ = 0;
  int y_ = 0;
  Call state_;
};

}  // namespace tq::test
