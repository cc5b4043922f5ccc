#include "view/Layouts.h"

#include <array>

namespace tq {
namespace {

constexpr std::array<std::string_view, 11> kLeftColumn{"Panel10",  "BitBtn6", "Button4", "Panel5",
                                                       "button18", "Button1", "Button2", "Panel4",
                                                       "Panel1",   "Panel9",  "Panel8"};
constexpr std::array<std::string_view, 5> kLeftButtons{"BitBtn6", "Button4", "button18", "Button1",
                                                       "Button2"};
constexpr std::array<std::string_view, 6> kSpanButtons{"Button8", "Button16", "Button6",
                                                       "Button7", "Button10", "Button17"};

struct SizeTable {
  int windowWidth, windowHeight, fontSize;
  bool moveToOrigin;
  std::array<std::array<int, 2>, 8> topBar;  // left, width of Button5..Panel2
  int leftWidth, leftButtonHeight;
  std::array<int, 11> leftTops;
  std::array<std::array<int, 3>, 10> bottom;  // left, top, width
  std::array<int, 6> spanLefts, spanWidths;
  int editWidth;
};

constexpr std::array<std::string_view, 8> kTopBar{"Button5",  "Button11", "Button12", "Button13",
                                                  "Button15", "Button14", "Panel6",   "Panel2"};
constexpr std::array<std::string_view, 10> kBottom{"BitBtn7", "BitBtn8", "BitBtn3", "BitBtn5",
                                                   "BitBtn4", "Button3", "Panel11", "ftpanel",
                                                   "freqp",   "Panel3"};

constexpr SizeTable kSize0{
    644,
    484,
    8,
    false,
    {{{94, 36}, {136, 36}, {178, 36}, {220, 36}, {262, 36}, {304, 36}, {346, 182}, {534, 100}}},
    83,
    25,
    {5, 35, 65, 95, 155, 185, 217, 249, 304, 359, 359},
    {{{92, 377, 25},
      {92, 406, 25},
      {117, 377, 25},
      {117, 406, 25},
      {604, 377, 30},
      {570, 377, 30},
      {144, 377, 72},
      {218, 377, 80},
      {300, 377, 69},
      {372, 377, 196}}},
    {4, 42, 4, 42, 86, 140},
    {36, 36, 36, 36, 50, 50},
    67};

// The 800 x 600 window keeps the normal controls where the larger graph leaves them room:
// the bottom row moves below the frame (107 pixels down) and what sits at the right of the
// top bar and the bottom row moves right with the frame (102 pixels).
constexpr SizeTable kSize1{
    800,
    600,
    8,
    false,
    {{{94, 36}, {136, 36}, {178, 36}, {220, 36}, {262, 36}, {304, 36}, {346, 284}, {636, 100}}},
    83,
    25,
    {5, 35, 65, 95, 155, 185, 217, 249, 304, 359, 359},
    {{{92, 484, 25},
      {92, 513, 25},
      {117, 484, 25},
      {117, 513, 25},
      {706, 484, 30},
      {672, 484, 30},
      {144, 484, 72},
      {218, 484, 80},
      {300, 484, 69},
      {372, 484, 196}}},
    {4, 42, 4, 42, 86, 140},
    {36, 36, 36, 36, 50, 50},
    67};

constexpr SizeTable kSize2{
    1024,
    738,
    9,
    true,
    {{{114, 40}, {164, 40}, {214, 40}, {264, 40}, {314, 40}, {364, 40}, {416, 440}, {864, 140}}},
    100,
    40,
    {5, 48, 106, 164, 237, 295, 353, 411, 479, 547, 547},
    {{{132, 625, 30},
      {132, 653, 30},
      {162, 625, 30},
      {162, 653, 30},
      {966, 625, 30},
      {916, 625, 40},
      {252, 625, 80},
      {385, 625, 90},
      {496, 625, 80},
      {628, 625, 216}}},
    {4, 46, 4, 46, 130, 172},
    {40, 40, 40, 40, 40, 40},
    78};

WindowLayout FromTable(const SizeTable& t, int panel7Left, int panel7Top, int panel7Width) {
  WindowLayout layout;
  layout.width = t.windowWidth;
  layout.height = t.windowHeight;
  layout.moveToOrigin = t.moveToOrigin;
  layout.fontSize = t.fontSize;
  auto& c = layout.controls;
  for (std::size_t i = 0; i < kTopBar.size(); ++i)
    c.push_back({kTopBar[i], t.topBar[i][0], kKeep, t.topBar[i][1], kKeep});
  for (std::size_t i = 0; i < kLeftColumn.size(); ++i) {
    int height = kKeep;
    for (auto b : kLeftButtons)
      if (b == kLeftColumn[i]) height = t.leftButtonHeight;
    c.push_back({kLeftColumn[i], kKeep, t.leftTops[i], t.leftWidth, height});
  }
  for (std::size_t i = 0; i < kBottom.size(); ++i)
    c.push_back({kBottom[i], t.bottom[i][0], t.bottom[i][1], t.bottom[i][2], kKeep});
  c.push_back({"Panel7", panel7Left, panel7Top, panel7Width, kKeep});
  for (std::size_t i = 0; i < kSpanButtons.size(); ++i)
    c.push_back({kSpanButtons[i], t.spanLefts[i], kKeep, t.spanWidths[i], kKeep});
  // The frequency box fills its panel: "1100.0000 MHz" needs more than the 60 (70) pixels
  // it was given.
  c.push_back({"Edit1", 1, kKeep, t.editWidth, kKeep});
  return layout;
}

}  // namespace

WindowLayout LayoutForDisplaySize(int displaySize) {
  if (displaySize == 1) return FromTable(kSize1, 672, 516, 60);
  if (displaySize == 2) return FromTable(kSize2, 916, 658, 80);
  return FromTable(kSize0, 570, 409, 60);
}

}  // namespace tq
