#include <gtest/gtest.h>

#include "doubles/RecordingCanvas.h"

namespace tq {
namespace {

using test::RecordingCanvas;

TEST(RecordingCanvas, RecordsDrawingWithThePenBrushAndFontInForce) {
  RecordingCanvas canvas;
  canvas.setPenColour(0x0000FF);
  canvas.setPenWidth(3);
  canvas.moveTo(1, 2);
  canvas.lineTo(5, 6);
  canvas.setPenColour(0x00FF00);
  canvas.setPenMode(PenMode::NotXor);
  canvas.lineTo(9, 6);
  canvas.setBrushColour(0xC0C0C0);
  canvas.setFont("Arial", 8, 0xFF0000);
  canvas.textOut(10, 20, "Store");
  canvas.rectangle(0, 0, 4, 4);

  const auto red = canvas.linesIn(0x0000FF);
  ASSERT_EQ(red.size(), 1u);
  EXPECT_EQ(red[0].x0, 1);
  EXPECT_EQ(red[0].y0, 2);
  EXPECT_EQ(red[0].x1, 5);
  EXPECT_EQ(red[0].y1, 6);
  EXPECT_EQ(red[0].penWidth, 3);
  EXPECT_EQ(red[0].penMode, PenMode::Copy);
  const auto green = canvas.linesIn(0x00FF00);
  ASSERT_EQ(green.size(), 1u);
  EXPECT_EQ(green[0].x0, 5);  // continues from the last point
  EXPECT_EQ(green[0].penMode, PenMode::NotXor);

  const auto* text = canvas.findText("Store");
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->x0, 10);
  EXPECT_EQ(text->y0, 20);
  EXPECT_EQ(text->brushColour, 0xC0C0C0u);
  EXPECT_EQ(text->fontColour, 0xFF0000u);
  EXPECT_EQ(text->fontName, "Arial");
  EXPECT_EQ(canvas.textsIn(0xFF0000), std::vector<std::string>{"Store"});
  EXPECT_TRUE(canvas.textsIn(0).empty());
  EXPECT_EQ(canvas.rectangles().size(), 1u);
  EXPECT_EQ(canvas.rectangles()[0].brushColour, 0xC0C0C0u);
}

TEST(RecordingCanvas, MeasuresTextByCharactersAndLeavesThePenAfterIt) {
  RecordingCanvas canvas;
  EXPECT_EQ(canvas.textExtent("Av. of 8").width, 48);
  EXPECT_EQ(canvas.textExtent("Av. of 8").height, 13);
  EXPECT_EQ(canvas.textExtent("dB\xC2\xB5V").width, 24);  // four characters, five bytes
  canvas.textOut(100, 40, "MHz");
  EXPECT_EQ(canvas.penX(), 118);
  EXPECT_EQ(canvas.penY(), 40);
  canvas.lineTo(120, 40);
  EXPECT_EQ(canvas.lines().back().x0, 118);
  canvas.clear();
  EXPECT_TRUE(canvas.calls().empty());
}

}  // namespace
}  // namespace tq
