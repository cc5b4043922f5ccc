#pragma once

#include <QImage>
#include <QLine>
#include <QList>
#include <QPolygon>
#include <QWidget>

class QKeyEvent;

#include "dialogs/Tanswers.h"
#include "model/WindowModel.h"
#include "platform/qt/QtCanvas.h"

namespace tq {

class Program;

// A canvas over a QPainter that gathers the thin solid segments drawn end to end (a trace,
// point by point) and draws them in one call: a full repaint draws four traces of 500
// segments, and one call per trace instead of one per segment keeps it within a couple of
// milliseconds. The pixels are those of single segments. Everything else goes straight
// to the QtCanvas underneath.
class PolylineCanvas : public Canvas {
 public:
  explicit PolylineCanvas(QPainter* painter);
  ~PolylineCanvas() override { flush(); }

  void moveTo(int x, int y) override;
  void lineTo(int x, int y) override;
  void textOut(int x, int y, std::string_view text) override;
  TextSize textExtent(std::string_view text) override { return inner_.textExtent(text); }
  void rectangle(int left, int top, int right, int bottom) override;
  void setPenColour(Colour colour) override;
  void setPenWidth(int width) override;
  void setPenStyle(PenStyle style) override;
  void setPenMode(PenMode mode) override;
  void setBrushColour(Colour colour) override { inner_.setBrushColour(colour); }
  void setFont(std::string_view name, int pointSize, Colour colour) override {
    inner_.setFont(name, pointSize, colour);
  }
  void setFontHeight(std::string_view name, int heightPx, Colour colour) override {
    inner_.setFontHeight(name, heightPx, colour);
  }
  // Draws what is pending.
  void flush();

 private:
  bool joinable() const {
    return width_ <= 1 && style_ == PenStyle::Solid && mode_ == PenMode::Copy;
  }

  QPainter* painter_;
  QtCanvas inner_;
  QPolygon points_;
  QList<QLine> lines_;
  QPoint position_;
  Colour colour_ = 0;
  int width_ = 1;
  PenStyle style_ = PenStyle::Solid;
  PenMode mode_ = PenMode::Copy;
};

// Told before every full paint of the graph (the window lays out its controls then).
class GraphAreaOwner {
 public:
  virtual ~GraphAreaOwner() = default;
  virtual void aboutToRender() = 0;
};

// The main window's client area. The graph lives in a back buffer the size of the area:
// a full repaint runs the program's painter over it, a live point draws into it and
// refreshes only the pixels it touched, and a paint event just copies it to the screen. The
// window's controls sit on top of it as its children.
class GraphArea : public QWidget, public ValuesWindowOwner {
 public:
  GraphArea(QWidget* parent, Program& program, GraphAreaOwner& owner);
  ~GraphArea() override;

  Tanswers& answers() { return *answers_; }
  const QImage& image() const { return image_; }

  // The whole graph is painted again at the next paint event (FormPaint).
  void repaintGraph();
  // Paints the whole graph into the back buffer now.
  void renderGraph();
  // The full paint on any image: clears around the frame and runs the painter.
  static void Render(QImage& image, Program& program, const QColor& background);
  // PlotPoint: one live segment into the back buffer, refreshed on the screen at once.
  void plotPoint(int kind, int n);
  // Moves the controls laid out on `from` onto the graph, keeping their places and
  // visibility (the main window builds its controls before the program exists).
  void adoptChildrenOf(QWidget* from);
  void setPointerShape(PointerShape shape);
  void showValuesWindow();
  void hideValuesWindow() { answers_->hide(); }
  void valuesWindowClosed() override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Runs draw on a canvas over the back buffer and refreshes what it touched.
  template <typename Draw>
  void drawLive(Draw&& draw);
  bool keyDown(QKeyEvent* event);

  Program& program_;
  GraphAreaOwner& owner_;
  Tanswers* answers_;
  QImage image_;
  bool stale_ = true;
  bool busy_ = false;  // a live drawing holds the back buffer
};

}  // namespace tq
