#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QFileDialog>
#include <QImage>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QTimer>
#include <algorithm>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

#include "app/qt_test_app.h"
#include "platform/HostFiles.h"
#include "platform/qt/QtCanvas.h"
#include "platform/qt/QtPrompts.h"
#include "platform/qt/QtTicks.h"

namespace tq {
namespace {

class QtTicksTest : public ::testing::Test {
 protected:
  test::QtTestApp app_;
  QtTicks ticks_;
};

TEST_F(QtTicksTest, WaitKeepsTimersAndPostedCallsRunning) {
  int fired = 0;
  bool posted = false;
  auto timer = ticks_.createTimer(20, [&] { ++fired; });
  EXPECT_FALSE(timer->enabled());
  timer->setEnabled(true);
  ticks_.post(30, [&] { posted = true; });

  const double start = ticks_.nowMs();
  ticks_.wait(4);
  const double waited = ticks_.nowMs() - start;

  EXPECT_GE(waited, 4 * kTickMs - 2);
  EXPECT_LT(waited, 4 * kTickMs + 150);
  EXPECT_GE(fired, 5);
  EXPECT_TRUE(posted);

  timer->setEnabled(false);
  const int stopped = fired;
  ticks_.wait(1);
  EXPECT_EQ(fired, stopped);
}

TEST_F(QtTicksTest, NestedWaitsBothRunToTheirEnd) {
  int fired = 0;
  auto timer = ticks_.createTimer(10, [&] { ++fired; });
  timer->setEnabled(true);
  double innerDone = -1;
  int firedInInner = 0;
  ticks_.post(5, [&] {
    const int before = fired;
    ticks_.wait(3);
    firedInInner = fired - before;
    innerDone = ticks_.nowMs();
  });

  const double start = ticks_.nowMs();
  ticks_.wait(1);
  const double outerDone = ticks_.nowMs();

  ASSERT_GE(innerDone, 0) << "the posted call with the inner wait did not run";
  EXPECT_GE(innerDone - start, 3 * kTickMs);
  // The outer wait cannot return from under the inner one.
  EXPECT_GE(outerDone, innerDone);
  EXPECT_GE(firedInInner, 5);
}

TEST_F(QtTicksTest, TimerMayDestroyItselfFromItsCallback) {
  std::unique_ptr<Timer> timer;
  int fired = 0;
  timer = ticks_.createTimer(5, [&] {
    ++fired;
    timer.reset();
  });
  timer->setEnabled(true);
  ticks_.wait(2);
  EXPECT_EQ(fired, 1);
  EXPECT_EQ(timer, nullptr);
}

TEST_F(QtTicksTest, NewIntervalTakesEffectAndPostedCallsDieWithTheirTicks) {
  int fired = 0;
  auto timer = ticks_.createTimer(1000, [&] { ++fired; });
  timer->setEnabled(true);
  timer->setIntervalMs(10);
  EXPECT_EQ(timer->intervalMs(), 10);
  EXPECT_TRUE(timer->enabled());

  bool ran = false;
  auto other = std::make_unique<QtTicks>();
  other->post(5, [&] { ran = true; });
  other.reset();
  ticks_.wait(2);
  EXPECT_GE(fired, 5);
  EXPECT_FALSE(ran);
}

// Canvas drawing on an image, pixel by pixel.
class QtCanvasTest : public ::testing::Test {
 protected:
  QtCanvasTest() : image_(40, 40, QImage::Format_RGB32) {
    for (int y = 0; y < image_.height(); ++y)
      for (int x = 0; x < image_.width(); ++x) image_.setPixel(x, y, qRgb(x * 6, y * 6, 128));
  }

  test::QtTestApp app_;
  QImage image_;
};

TEST_F(QtCanvasTest, NotXorDrawnTwiceRestoresEveryPixel) {
  for (const auto format : {QImage::Format_RGB32, QImage::Format_ARGB32_Premultiplied}) {
    QImage image = image_.convertToFormat(format);
    const QImage original = image;
    QPainter painter(&image);
    QtCanvas canvas(&painter);
    canvas.setPenMode(PenMode::NotXor);
    canvas.setPenColour(0x00FF00);
    auto draw = [&] {
      canvas.setPenWidth(1);
      canvas.moveTo(5, 2);
      canvas.lineTo(5, 35);  // a zoom line
      canvas.lineTo(30, 20);
      canvas.lineTo(8, 8);
      canvas.setPenWidth(3);
      canvas.moveTo(20, 2);
      canvas.lineTo(20, 35);
    };
    draw();
    painter.end();
    EXPECT_NE(image, original) << "the first pass drew nothing";
    painter.begin(&image);
    draw();
    painter.end();
    EXPECT_EQ(image, original) << "format " << format;
  }
}

TEST_F(QtCanvasTest, LinesLeaveOutTheirLastPixelSoJoinsToggleOnce) {
  const QImage original = image_;
  QPainter painter(&image_);
  QtCanvas canvas(&painter);
  canvas.setPenColour(0x0000FF);
  canvas.moveTo(5, 5);
  canvas.lineTo(10, 5);
  EXPECT_EQ(image_.pixel(5, 5), qRgb(255, 0, 0));
  EXPECT_EQ(image_.pixel(9, 5), qRgb(255, 0, 0));
  EXPECT_EQ(image_.pixel(10, 5), original.pixel(10, 5));
  EXPECT_EQ(canvas.penPosition(), QPoint(10, 5));

  // A polyline in not-xor: the corner belongs to one segment only, so it is inverted.
  canvas.setPenMode(PenMode::NotXor);
  canvas.moveTo(5, 20);
  canvas.lineTo(15, 20);
  canvas.lineTo(15, 30);
  painter.end();
  EXPECT_NE(image_.pixel(15, 20), original.pixel(15, 20));
  EXPECT_EQ(image_.pixel(15, 30), original.pixel(15, 30));
}

// Solid thin lines go straight into the image: the start pixel is always drawn (also on a
// line drawn upwards, where a peak would otherwise go missing), the end pixel never, and
// nothing is written outside the image.
TEST_F(QtCanvasTest, ThinLinesDrawTheirStartPixelWhicheverWayTheyRun) {
  const QImage original = image_;
  const QRgb green = qRgb(0, 255, 0);
  QPainter painter(&image_);
  QtCanvas canvas(&painter);
  canvas.setPenColour(0x00FF00);
  canvas.moveTo(20, 30);
  canvas.lineTo(22, 10);  // steep, upwards: one pixel in each row from 30 up to 11
  for (int y = 11; y <= 30; ++y) {
    int inRow = 0;
    for (int x = 18; x <= 24; ++x) inRow += image_.pixel(x, y) == green;
    EXPECT_EQ(inRow, 1) << "row " << y;
  }
  EXPECT_EQ(image_.pixel(20, 30), green);
  EXPECT_EQ(image_.pixel(22, 10), original.pixel(22, 10));
  canvas.lineTo(24, 30);  // the peak is the start of the next segment
  EXPECT_EQ(image_.pixel(22, 10), green);
  EXPECT_EQ(image_.pixel(24, 30), original.pixel(24, 30));
  canvas.moveTo(-10, 39);
  canvas.lineTo(60, 39);  // runs off both sides of the image
  painter.end();
  for (int x = 0; x < 40; ++x) EXPECT_EQ(image_.pixel(x, 39), green) << x;
}

TEST_F(QtCanvasTest, RectangleFillsWithBrushOutlinesWithPenAndExcludesRightAndBottom) {
  const QImage original = image_;
  QPainter painter(&image_);
  QtCanvas canvas(&painter);
  canvas.setPenColour(0x0000FF);    // red
  canvas.setBrushColour(0xFF0000);  // blue
  canvas.rectangle(2, 3, 8, 9);
  painter.end();
  const QRgb red = qRgb(255, 0, 0);
  const QRgb blue = qRgb(0, 0, 255);
  EXPECT_EQ(image_.pixel(2, 3), red);
  EXPECT_EQ(image_.pixel(7, 8), red);
  EXPECT_EQ(image_.pixel(7, 3), red);
  EXPECT_EQ(image_.pixel(3, 4), blue);
  EXPECT_EQ(image_.pixel(6, 7), blue);
  EXPECT_EQ(image_.pixel(8, 5), original.pixel(8, 5));
  EXPECT_EQ(image_.pixel(5, 9), original.pixel(5, 9));
  EXPECT_EQ(image_.pixel(1, 5), original.pixel(1, 5));
  EXPECT_EQ(image_.pixel(5, 2), original.pixel(5, 2));
}

TEST_F(QtCanvasTest, ColoursAreBlueGreenRed) {
  EXPECT_EQ(QtCanvas::ToQColor(0x0000FF), QColor(255, 0, 0));
  EXPECT_EQ(QtCanvas::ToQColor(0x00FF00), QColor(0, 255, 0));
  EXPECT_EQ(QtCanvas::ToQColor(0xFF0000), QColor(0, 0, 255));
  EXPECT_EQ(QtCanvas::ToQColor(0x123456), QColor(0x56, 0x34, 0x12));

  QPainter painter(&image_);
  QtCanvas canvas(&painter);
  canvas.setPenStyle(PenStyle::Clear);
  canvas.setBrushColour(0x008000);
  canvas.rectangle(0, 0, 4, 4);
  painter.end();
  EXPECT_EQ(image_.pixel(0, 0), qRgb(0, 0x80, 0));
  EXPECT_EQ(image_.pixel(3, 3), qRgb(0, 0x80, 0));
}

TEST_F(QtCanvasTest, TextSitsBelowAndRightOfItsPointOnTheBrushColour) {
  QImage image(120, 60, QImage::Format_RGB32);
  image.fill(Qt::black);
  QPainter painter(&image);
  QtCanvas canvas(&painter);
  canvas.setFont("Arial", 12, 0x0000FF);
  canvas.setBrushColour(0xFFFFFF);
  const TextSize size = canvas.textExtent("Hg");
  ASSERT_GT(size.width, 0);
  ASSERT_GT(size.height, 8);
  canvas.textOut(10, 20, "Hg");
  EXPECT_EQ(canvas.penPosition(), QPoint(10 + size.width, 20));
  painter.end();

  int inkTop = image.height();
  int inkBottom = -1;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QRgb p = image.pixel(x, y);
      if (p == qRgb(0, 0, 0)) continue;
      EXPECT_TRUE(x >= 10 && x < 10 + size.width && y >= 20 && y < 20 + size.height)
          << "paint outside the text box at " << x << "," << y;
      if (qRed(p) > 200 && qGreen(p) < 60) {
        inkTop = std::min(inkTop, y);
        inkBottom = std::max(inkBottom, y);
      }
    }
  EXPECT_EQ(image.pixel(10, 20), qRgb(255, 255, 255));
  // The glyphs hang from the top of the box, not from a baseline at y.
  EXPECT_GE(inkTop, 20);
  EXPECT_LT(inkTop, 20 + size.height / 2);
  EXPECT_GT(inkBottom, 20 + size.height / 2);
}

TEST(QtFileFilter, ConvertsPairsAndPatterns) {
  EXPECT_EQ(ToQtFileFilter("*.emc|*.emc"), "*.emc (*.emc)");
  EXPECT_EQ(ToQtFileFilter("Antenna files|*.ANT;*.ant|All|*.*"),
            "Antenna files (*.ANT *.ant);;All (*.*)");
  EXPECT_EQ(ToQtFileFilter("Text (*.txt)|*.txt"), "Text (*.txt)");
  EXPECT_EQ(ToQtFileFilter("*.ANT"), "*.ANT");
  EXPECT_EQ(ToQtFileFilter(""), "");
  EXPECT_EQ(DefaultSuffix("*.emc|*.emc"), "emc");
  EXPECT_EQ(DefaultSuffix("*.ANT"), "ANT");
  EXPECT_EQ(DefaultSuffix("All|*.*"), "");
}

// Runs check on the modal dialog that the next prompt opens.
template <typename Dialog, typename Check>
void OnModal(Check check) {
  QTimer::singleShot(0, [check] {
    auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    check(dialog);
  });
}

class QtPromptsTest : public ::testing::Test {
 protected:
  test::QtTestApp app_;
  QtPrompts prompts_{nullptr};
};

TEST_F(QtPromptsTest, MessageKindsHaveTheirCaptionsIconsAndButtons) {
  OnModal<QMessageBox>([](QMessageBox* box) {
    EXPECT_EQ(box->windowTitle(), "Confirm");
    EXPECT_EQ(box->icon(), QMessageBox::Question);
    EXPECT_EQ(box->text(), "Close TQ4800 ?");
    EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
    box->button(QMessageBox::No)->click();
  });
  EXPECT_EQ(prompts_.message(MessageKind::Confirmation, "Close TQ4800 ?", Buttons::YesNo),
            Answer::No);

  OnModal<QMessageBox>([](QMessageBox* box) {
    EXPECT_EQ(box->windowTitle(), "Error");
    EXPECT_EQ(box->icon(), QMessageBox::Critical);
    box->button(QMessageBox::Yes)->click();
  });
  EXPECT_EQ(prompts_.message(MessageKind::Error, "x", Buttons::YesCancel), Answer::Yes);

  // Closing the box answers with its cancelling button.
  OnModal<QMessageBox>([](QMessageBox* box) {
    EXPECT_EQ(box->windowTitle(), "Warning");
    box->close();
  });
  EXPECT_EQ(prompts_.message(MessageKind::Warning, "x", Buttons::OkCancel), Answer::Cancel);

  OnModal<QMessageBox>([](QMessageBox* box) {
    EXPECT_EQ(box->windowTitle(), "Information");
    EXPECT_EQ(box->icon(), QMessageBox::Information);
    box->close();
  });
  EXPECT_EQ(prompts_.message(MessageKind::Information, "x", Buttons::Ok), Answer::Ok);
}

TEST_F(QtPromptsTest, InputBoxShowsItsTextsAndCancelGivesNothing) {
  OnModal<QInputDialog>([](QInputDialog* dialog) {
    EXPECT_EQ(dialog->windowTitle(), "Communication Port Required");
    EXPECT_EQ(dialog->labelText(), "Enter Com Port Number 1..4: ");
    EXPECT_EQ(dialog->textValue(), "2");
    dialog->setTextValue("3");
    dialog->accept();
  });
  EXPECT_EQ(prompts_.inputBox("Communication Port Required", "Enter Com Port Number 1..4: ", "2"),
            "3");

  OnModal<QInputDialog>([](QInputDialog* dialog) {
    EXPECT_EQ(dialog->findChild<QLineEdit*>()->maxLength(), 30);
    dialog->reject();
  });
  EXPECT_EQ(prompts_.inputBox("Title", "Enter Display Title : ", "Title", 30), std::nullopt);
}

TEST_F(QtPromptsTest, SaveDialogStartsInTheResolvedFolderAndAddsTheExtension) {
  const auto root = std::filesystem::temp_directory_path() / "tq_qt_prompts";
  std::filesystem::remove_all(root);
  std::filesystem::create_directories(root / "drive_c" / "tq4800");
  HostFiles files(root);
  QtPrompts prompts(nullptr, &files);
  const QString dir = QString::fromStdString((root / "drive_c" / "tq4800").string());

  OnModal<QFileDialog>([dir](QFileDialog* dialog) {
    EXPECT_EQ(dialog->windowTitle(), "Save results to disk");
    EXPECT_EQ(dialog->directory().absolutePath(), dir);
    dialog->selectFile("result");
    QMetaObject::invokeMethod(dialog, "accept");
  });
  const auto name =
      prompts.saveFileName("Save results to disk", "*.emc|*.emc", "c:\\tq4800", "EMC");
  ASSERT_TRUE(name.has_value());
  EXPECT_EQ(*name, (root / "drive_c" / "tq4800" / "result.EMC").string());

  OnModal<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
  EXPECT_EQ(prompts.openFileName("Retrieve stored results", "*.emc|*.emc", "c:\\tq4800"),
            std::nullopt);
  std::filesystem::remove_all(root);
}

}  // namespace
}  // namespace tq
