#include "dialogs/TInfo.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>

#include "dialogs/TSpanish.h"
#include "platform/qt/QtCanvas.h"
#include "platform/qt/QtText.h"

namespace tq {

namespace {

constexpr int kBoxLeft = 440;
constexpr int kScaleLeft = 404;  // the level labels left of the boxes
constexpr int kAfTop = 30, kLimitTop = 190, kErsTop = 332;
constexpr int kWidth = 700, kHeight = 492;

using DrawBox = void (*)(Canvas&, const InfoView&);

// A paint box: its background and outline, and a curve drawn by the passive painter.
class InfoBox : public QWidget {
 public:
  InfoBox(TInfo* owner, const char* name, QColor background, DrawBox draw, QRect geometry)
      : QWidget(owner), owner_(owner), background_(background), draw_(draw) {
    setObjectName(name);
    setGeometry(geometry);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), background_);
    {
      QtCanvas canvas(&painter);
      draw_(canvas, owner_->info());
    }
    painter.setPen(Qt::black);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
  }
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (this == owner_->afbox()) owner_->afboxMouseUp(event->button());
  }

 private:
  TInfo* owner_;
  QColor background_;
  DrawBox draw_;
};

QLabel* Label(QWidget* parent, const QString& text, QRect geometry,
              Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter, QColor colour = Qt::black) {
  auto* label = new QLabel(text, parent);
  label->setGeometry(geometry);
  label->setAlignment(align);
  QPalette p = label->palette();
  p.setColor(QPalette::WindowText, colour);
  label->setPalette(p);
  return label;
}

// A box's caption above it and its level scale to its left.
void Scale(QWidget* parent, const QString& caption, int top, const char* high, const char* low,
           const char* unit) {
  QLabel* title = Label(parent, caption, {kBoxLeft, top - 18, 200, 16});
  QFont bold = title->font();
  bold.setBold(true);
  title->setFont(bold);
  const auto right = Qt::AlignRight | Qt::AlignVCenter;
  Label(parent, high, {kScaleLeft, top - 2, 32, 14}, right);
  Label(parent, low, {kScaleLeft, top + kInfoBoxHeight - 12, 32, 14}, right);
  if (unit[0] != '\0') Label(parent, unit, {kScaleLeft - 4, top + 43, 36, 14}, right);
}

}  // namespace

TInfo::TInfo(QWidget* parent, TSpanish& spanish) : QDialog(parent), spanish_(spanish) {
  setObjectName("Info");
  setWindowTitle("Veltrane Instruments Ltd Fieldmark TQ4800  Information");
  setFixedSize(kWidth, kHeight);
  QPalette white = palette();
  white.setColor(QPalette::Window, Qt::white);
  setPalette(white);
  setAutoFillBackground(true);
  QFont arial("Arial");
  arial.setPixelSize(11);
  setFont(arial);

  label15_ = Label(this, "", {40, 100, 340, 30});
  label15_->setObjectName("Label15");
  QFont big = font();
  big.setPixelSize(18);
  big.setBold(true);
  label15_->setFont(big);

  const int curve = kInfoCurveWidth + 1;
  afbox_ = new InfoBox(this, "afbox", QColor(255, 255, 0), DrawFactorBox,
                       {kBoxLeft, kAfTop, curve, kInfoBoxHeight});
  Scale(this, "Antenna Factor", kAfTop, "+30", "-30", "");
  limitbox_ = new InfoBox(this, "limitbox", Qt::white, DrawLimitBox,
                          {kBoxLeft, kLimitTop, curve, kInfoBoxHeight});
  Scale(this, "Limit Line", kLimitTop, "100", "0", "dBuV");
  Label(this, "LIMIT", {kBoxLeft + curve + 6, kLimitTop + 43, 50, 14}, Qt::AlignLeft,
        QColor(0, 128, 0));
  ersbox_ = new InfoBox(this, "ersbox", Qt::white, DrawErsBox,
                        {kBoxLeft, kErsTop, kInfoErsWidth + 1, kInfoBoxHeight});
  Scale(this, "ERS Correction", kErsTop, "+30", "-20", "dBuV");
  Label(this, "Horizontal", {kBoxLeft, kErsTop + kInfoBoxHeight + 2, 90, 14}, Qt::AlignLeft,
        Qt::red);
  Label(this, "Vertical", {kBoxLeft + 100, kErsTop + kInfoBoxHeight + 2, 90, 14}, Qt::AlignLeft,
        QColor(0, 128, 0));

  for (int i = 0; i < 2; ++i) {
    const auto align =
        i == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter;
    const int x = i == 0 ? kBoxLeft : kBoxLeft + curve - 100;
    factorLabels_[static_cast<std::size_t>(i)] =
        Label(this, "", {x, kAfTop + kInfoBoxHeight + 2, 100, 14}, align);
    limitLabels_[static_cast<std::size_t>(i)] =
        Label(this, "", {x, kLimitTop + kInfoBoxHeight + 2, 100, 14}, align);
  }
  label13_ = Label(this, "No Antenna selected", {kBoxLeft, kAfTop + kInfoBoxHeight + 17, 240, 14});
  label13_->setObjectName("Label13");
  label24_ = Label(this, "", {kBoxLeft + curve + 6, kAfTop + 43, 40, 14});
  label24_->setObjectName("Label24");

  memo1_ = new QPlainTextEdit(this);
  memo1_->setObjectName("Memo1");
  memo1_->setReadOnly(true);
  memo1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memo1_->setGeometry(40, 310, 340, 130);

  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("OKBtn");
  ok->setDefault(true);
  ok->setGeometry(kWidth - 100, kHeight - 36, 80, 26);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void TInfo::FormActivate(InformationSource& source) {
  source_ = &source;
  info_ = source.Information();
  showValues();
}

void TInfo::showValues() {
  label15_->setText(ToQString(info_.title));
  label13_->setText(ToQString(info_.inputName));
  label24_->setText(info_.antennaDistanceAlt ? "ALT" : "STD");
  const auto factor = FactorBoxLabels(info_.highRange);
  const auto limit = LimitBoxLabels(info_.startHz, info_.finishHz);
  for (std::size_t i = 0; i < 2; ++i) {
    factorLabels_[i]->setText(ToQString(factor[i]));
    limitLabels_[i]->setText(ToQString(limit[i]));
  }
  QStringList lines;
  for (const std::string& line : info_.notes) lines << ToQString(line);
  memo1_->setPlainText(lines.join('\n'));
  update();
}

void TInfo::paintEvent(QPaintEvent* event) {
  QDialog::paintEvent(event);
  QPainter painter(this);
  QtCanvas canvas(&painter);
  DrawInfoSummary(canvas, info_);
}

void TInfo::afboxMouseUp(Qt::MouseButton button) {
  if (button != Qt::RightButton || !source_) return;
  if (source_->AntennaDistanceClick())
    if (const auto alt = spanish_.chooseAlternative()) source_->SetAntennaDistanceAlt(*alt);
  FormActivate(*source_);
}

}  // namespace tq
