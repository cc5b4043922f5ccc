#pragma once

#include <cstdint>
#include <string_view>

namespace tq {

// Colours are 0x00BBGGRR, as the settings file stores them.
using Colour = std::uint32_t;

enum class PenStyle { Solid, Dash, Dot, DashDot, Clear };
enum class PenMode { Copy, NotXor };

struct TextSize {
  int width = 0;
  int height = 0;
};

// A drawing surface: the window, the printer page or a recording in tests.
class Canvas {
 public:
  virtual ~Canvas() = default;

  virtual void moveTo(int x, int y) = 0;
  virtual void lineTo(int x, int y) = 0;
  virtual void textOut(int x, int y, std::string_view text) = 0;
  virtual TextSize textExtent(std::string_view text) = 0;
  // Filled with the brush and outlined with the pen, right and bottom edges exclusive.
  virtual void rectangle(int left, int top, int right, int bottom) = 0;

  virtual void setPenColour(Colour colour) = 0;
  virtual void setPenWidth(int width) = 0;
  virtual void setPenStyle(PenStyle style) = 0;
  virtual void setPenMode(PenMode mode) = 0;
  virtual void setBrushColour(Colour colour) = 0;
  virtual void setFont(std::string_view name, int pointSize, Colour colour) = 0;
  // A font whose characters are heightPx device pixels tall, whatever the device's
  // resolution (the printed page sizes its text in parts of the page).
  virtual void setFontHeight(std::string_view name, int heightPx, Colour colour) = 0;
};

}  // namespace tq
