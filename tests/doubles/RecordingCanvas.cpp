#include "doubles/RecordingCanvas.h"

#include <algorithm>
#include <iterator>

namespace tq::test {

RecordingCanvas::Call RecordingCanvas::snapshot(Kind kind) const {
  Call call = state_;
  call.kind = kind;
  call.text.clear();
  call.x0 = call.y0 = call.x1 = call.y1 = 0;
  return call;
}

int RecordingCanvas::widthOf(std::string_view text) const {
  // Characters, not bytes: UTF-8 continuation bytes do not count.
  const auto chars = std::count_if(text.begin(), text.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  });
  if (widthFollowsFont) return (static_cast<int>(chars) * state_.fontSize * 4 + 4) / 5;
  return static_cast<int>(chars) * charWidth;
}

void RecordingCanvas::moveTo(int x, int y) {
  Call call = snapshot(Kind::MoveTo);
  call.x0 = x;
  call.y0 = y;
  calls_.push_back(std::move(call));
  x_ = x;
  y_ = y;
}

void RecordingCanvas::lineTo(int x, int y) {
  Call call = snapshot(Kind::LineTo);
  call.x0 = x_;
  call.y0 = y_;
  call.x1 = x;
  call.y1 = y;
  calls_.push_back(std::move(call));
  x_ = x;
  y_ = y;
}

void RecordingCanvas::textOut(int x, int y, std::string_view text) {
  Call call = snapshot(Kind::TextOut);
  call.x0 = x;
  call.y0 = y;
  call.x1 = x + widthOf(text);
  call.y1 = y + textHeight;
  call.text = std::string(text);
  calls_.push_back(std::move(call));
  // Text leaves the pen at its right end, as on the real canvas.
  x_ = x + widthOf(text);
  y_ = y;
}

TextSize RecordingCanvas::textExtent(std::string_view text) {
  Call call = snapshot(Kind::TextExtent);
  call.text = std::string(text);
  calls_.push_back(std::move(call));
  return {widthOf(text), textHeight};
}

void RecordingCanvas::rectangle(int left, int top, int right, int bottom) {
  Call call = snapshot(Kind::Rectangle);
  call.x0 = left;
  call.y0 = top;
  call.x1 = right;
  call.y1 = bottom;
  calls_.push_back(std::move(call));
}

void RecordingCanvas::setPenColour(Colour colour) {
  state_.penColour = colour;
  calls_.push_back(snapshot(Kind::PenColour));
}

void RecordingCanvas::setPenWidth(int width) {
  state_.penWidth = width;
  calls_.push_back(snapshot(Kind::PenWidth));
}

void RecordingCanvas::setPenStyle(tq::PenStyle style) {
  state_.penStyle = style;
  calls_.push_back(snapshot(Kind::PenStyle));
}

void RecordingCanvas::setPenMode(tq::PenMode mode) {
  state_.penMode = mode;
  calls_.push_back(snapshot(Kind::PenMode));
}

void RecordingCanvas::setBrushColour(Colour colour) {
  state_.brushColour = colour;
  calls_.push_back(snapshot(Kind::BrushColour));
}

void RecordingCanvas::setFont(std::string_view name, int pointSize, Colour colour) {
  state_.fontName = std::string(name);
  state_.fontSize = pointSize;
  state_.fontHeight = 0;
  state_.fontColour = colour;
  Call call = snapshot(Kind::Font);
  call.text = state_.fontName;
  calls_.push_back(std::move(call));
}

void RecordingCanvas::setFontHeight(std::string_view name, int heightPx, Colour colour) {
  setFont(name, 0, colour);
  calls_.back().fontHeight = state_.fontHeight = heightPx;
}

std::vector<RecordingCanvas::Call> RecordingCanvas::ofKind(Kind kind) const {
  std::vector<Call> found;
  std::copy_if(calls_.begin(), calls_.end(), std::back_inserter(found),
               [kind](const Call& c) { return c.kind == kind; });
  return found;
}

std::vector<RecordingCanvas::Call> RecordingCanvas::linesIn(Colour colour) const {
  std::vector<Call> found;
  std::copy_if(calls_.begin(), calls_.end(), std::back_inserter(found),
               [colour](const Call& c) { return c.kind == Kind::LineTo && c.penColour == colour; });
  return found;
}

std::vector<std::string> RecordingCanvas::texts() const {
  std::vector<std::string> found;
  for (const Call& c : calls_)
    if (c.kind == Kind::TextOut) found.push_back(c.text);
  return found;
}

std::vector<std::string> RecordingCanvas::textsIn(Colour fontColour) const {
  std::vector<std::string> found;
  for (const Call& c : calls_)
    if (c.kind == Kind::TextOut && c.fontColour == fontColour) found.push_back(c.text);
  return found;
}

const RecordingCanvas::Call* RecordingCanvas::findText(std::string_view text) const {
  const auto it = std::find_if(calls_.begin(), calls_.end(), [text](const Call& c) {
    return c.kind == Kind::TextOut && c.text == text;
  });
  return it == calls_.end() ? nullptr : &*it;
}

int RecordingCanvas::count(Kind kind) const {
  return static_cast<int>(std::count_if(calls_.begin(), calls_.end(),
                                        [kind](const Call& c) { return c.kind == kind; }));
}

}  // namespace tq::test
