#include "app/GraphArea.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPen>
#include <QRegion>

#include "dialogs/DialogParts.h"
#include "measure/Program.h"
#include "model/HelpTopics.h"
#include "platform/qt/QtCanvas.h"
#include "view/BoundsCanvas.h"
#include "view/Geometry.h"

namespace tq {

GraphArea::GraphArea(QWidget* parent, Program& program, GraphAreaOwner& owner)
    : QWidget(parent), program_(program), owner_(owner), answers_(new Tanswers(this, *this)) {
  setObjectName("ClientArea");
  SetHelpTopic(answers_, help::kZoomAndValues);
  setMouseTracking(true);  // the single-frequency pick follows the pointer unpressed
  setAttribute(Qt::WA_OpaquePaintEvent);
  // The main window sees the keys first, whichever of its controls has the focus.
  qApp->installEventFilter(this);
}

void GraphArea::setPointerShape(PointerShape shape) {
  switch (shape) {
    case PointerShape::HorizontalSplit:
      setCursor(Qt::SplitHCursor);
      break;
    case PointerShape::NoDrop:
      setCursor(Qt::ForbiddenCursor);
      break;
    case PointerShape::Cross:
      setCursor(Qt::CrossCursor);
      break;
    case PointerShape::Default:
      unsetCursor();
      break;
  }
}

void GraphArea::showValuesWindow() {
  if (!answers_->isVisible()) answers_->show();
  answers_->raise();
}

void GraphArea::valuesWindowClosed() {
  program_.ValuesClosed();
  repaintGraph();
}

GraphArea::~GraphArea() {
  if (qApp) qApp->removeEventFilter(this);
}

void GraphArea::adoptChildrenOf(QWidget* from) {
  for (QWidget* w : from->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (w->isWindow()) continue;
    const bool hidden = w->isHidden();
    const QRect place = w->geometry();
    w->setParent(this);
    w->setGeometry(place);
    w->setVisible(!hidden);
  }
}

void GraphArea::repaintGraph() {
  stale_ = true;
  update();
}

void GraphArea::renderGraph() {
  if (busy_) {
    // A modal box opened from inside a live drawing: its painter still holds the buffer.
    stale_ = true;
    return;
  }
  owner_.aboutToRender();
  const QSize want = size().expandedTo(QSize(1, 1));
  if (image_.size() != want) image_ = QImage(want, QImage::Format_RGB32);
  Render(image_, program_, palette().color(QPalette::Window));
  program_.GraphRepainted();
  stale_ = false;
}

void GraphArea::Render(QImage& image, Program& program, const QColor& background) {
  program.PreparePaint();
  QPainter p(&image);
  // The graph paints all of its frame: only the bands around it need clearing.
  const GraphGeometry& g = GeometryFor(program.state().displaySize);
  const QRegion outside =
      QRegion(image.rect()) -
      QRegion(g.frameLeft, g.frameTop, g.frameRight - g.frameLeft, g.frameBottom - g.frameTop);
  for (const QRect& r : outside) p.fillRect(r, background);
  PolylineCanvas canvas(&p);
  program.DrawGraph(canvas);
}

PolylineCanvas::PolylineCanvas(QPainter* painter) : painter_(painter), inner_(painter) {}

void PolylineCanvas::flush() {
  if (points_.size() >= 2) {
    // Each segment straight into the image's pixels, as QtCanvas draws a single one; where
    // that cannot be done, separate lines in one painter call with the same flat ends.
    lines_.clear();
    const QColor colour = QtCanvas::ToQColor(colour_);
    bool direct = true;
    for (qsizetype i = 1; i < points_.size(); ++i) {
      if (points_[i] == points_[i - 1]) continue;
      if (direct) direct = QtCanvas::DrawThinLine(painter_, points_[i - 1], points_[i], colour);
      if (!direct) lines_.append(QLine(points_[i - 1], points_[i]));
    }
    points_.clear();
    if (lines_.isEmpty()) return;
    QPen pen(QtCanvas::ToQColor(colour_));
    pen.setWidth(1);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    painter_->setPen(pen);
    painter_->setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter_->setRenderHint(QPainter::Antialiasing, false);
    painter_->drawLines(lines_);
  }
  points_.clear();
}

void PolylineCanvas::moveTo(int x, int y) {
  const QPoint to(x, y);
  // Moving to where the last segment ended continues the polyline.
  if (!points_.isEmpty() && points_.last() == to) return;
  flush();
  position_ = to;
  inner_.moveTo(x, y);
}

void PolylineCanvas::lineTo(int x, int y) {
  const QPoint to(x, y);
  if (!joinable()) {
    flush();
    inner_.lineTo(x, y);
  } else {
    if (points_.isEmpty()) points_.append(position_);
    points_.append(to);
    inner_.moveTo(x, y);
  }
  position_ = to;
}

void PolylineCanvas::textOut(int x, int y, std::string_view text) {
  flush();
  inner_.textOut(x, y, text);
  position_ = inner_.penPosition();
}

void PolylineCanvas::rectangle(int left, int top, int right, int bottom) {
  flush();
  inner_.rectangle(left, top, right, bottom);
}

void PolylineCanvas::setPenColour(Colour colour) {
  if (colour != colour_) flush();
  colour_ = colour;
  inner_.setPenColour(colour);
}

void PolylineCanvas::setPenWidth(int width) {
  if (width != width_) flush();
  width_ = width;
  inner_.setPenWidth(width);
}

void PolylineCanvas::setPenStyle(PenStyle style) {
  if (style != style_) flush();
  style_ = style;
  inner_.setPenStyle(style);
}

void PolylineCanvas::setPenMode(PenMode mode) {
  if (mode != mode_) flush();
  mode_ = mode;
  inner_.setPenMode(mode);
}

namespace {
// Takes the lines of a mouse or key event that arrives while a modal box opened from a live
// drawing holds the back buffer: the event is still handled, and a full repaint follows.
class DiscardingCanvas : public Canvas {
 public:
  void moveTo(int, int) override {}
  void lineTo(int, int) override {}
  void textOut(int, int, std::string_view) override {}
  TextSize textExtent(std::string_view) override { return {}; }
  void rectangle(int, int, int, int) override {}
  void setPenColour(Colour) override {}
  void setPenWidth(int) override {}
  void setPenStyle(PenStyle) override {}
  void setPenMode(PenMode) override {}
  void setBrushColour(Colour) override {}
  void setFont(std::string_view, int, Colour) override {}
  void setFontHeight(std::string_view, int, Colour) override {}
};
}  // namespace

template <typename Draw>
void GraphArea::drawLive(Draw&& draw) {
  if (busy_) {
    // Nested in a live drawing that opened a modal box (a message, a question).
    DiscardingCanvas canvas;
    draw(canvas);
    stale_ = true;
    return;
  }
  const bool full = stale_ || image_.size() != size();
  if (full) renderGraph();
  busy_ = true;
  QPainter p(&image_);
  QtCanvas qtCanvas(&p);
  BoundsCanvas canvas(qtCanvas);
  draw(canvas);
  p.end();
  busy_ = false;
  if (full || stale_)
    update();
  else if (!canvas.empty())
    update(QRect(QPoint(canvas.left(), canvas.top()), QPoint(canvas.right(), canvas.bottom()))
               .adjusted(-1, -1, 1, 1));
}

void GraphArea::plotPoint(int kind, int n) {
  // Painting changes nothing: a point that cannot be drawn now is drawn by the repaint.
  if (busy_) {
    stale_ = true;
    return;
  }
  drawLive([&](Canvas& c) { program_.PlotPoint(c, kind, n); });
}

void GraphArea::paintEvent(QPaintEvent* event) {
  if (stale_ || image_.size() != size()) renderGraph();
  if (image_.isNull()) return;
  QPainter p(this);
  p.drawImage(event->rect(), image_, event->rect());
}

void GraphArea::mousePressEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  drawLive([&](Canvas& c) { program_.FormMouseDown(c, at.x(), at.y()); });
}

void GraphArea::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  drawLive([&](Canvas& c) { program_.FormMouseMove(c, at.x(), at.y()); });
}

void GraphArea::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  drawLive([&](Canvas& c) { program_.FormMouseUp(c, at.x(), at.y()); });
}

bool GraphArea::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
  QWidget* w = static_cast<QWidget*>(watched)->window();
  if (w != window() && w != answers_) return false;
  // A key a control leaves unhandled travels up to its parents: take it only where it
  // starts, at the focused control (or the window itself when nothing has the focus).
  auto* key = static_cast<QKeyEvent*>(event);
  QWidget* target = static_cast<QWidget*>(watched);
  QWidget* focus = QApplication::focusWidget();
  if (focus ? target != focus : !target->isWindow()) return false;
  return keyDown(key);
}

bool GraphArea::keyDown(QKeyEvent* event) {
  GraphKey key = GraphKey::Other;
  switch (event->key()) {
    case Qt::Key_Up:
      key = GraphKey::Up;
      break;
    case Qt::Key_Left:
      key = GraphKey::Left;
      break;
    case Qt::Key_Right:
      key = GraphKey::Right;
      break;
    case Qt::Key_Escape:
      key = GraphKey::Escape;
      break;
    default:
      return false;
  }
  const bool altOnly = (event->modifiers() & ~Qt::KeypadModifier) == Qt::AltModifier;
  drawLive([&](Canvas& c) { program_.FormKeyDown(c, key, altOnly); });
  // Alt+arrows belong to the cursor; Esc also reaches the focused control.
  return altOnly && key != GraphKey::Escape;
}

}  // namespace tq
