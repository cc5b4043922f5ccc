#include "dialogs/TPeakTable.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

#include "platform/qt/QtCanvas.h"
#include "platform/qt/QtText.h"

namespace tq {

namespace {

QString Fixed(double value, int decimals) {
  return QString::number(value, 'f', decimals);
}

QString LevelText(const PeakReading& r) {
  return r.taken() ? Fixed(r.level, 1) : QString();
}

QString MarginText(const LineCheck& line) {
  return line.present ? Fixed(line.margin, 1) : QString();
}

QString LimitText(const LineCheck& line) {
  return line.present ? Fixed(line.limit, 1) : QString();
}

// The verdict in the lamp's colour, its text readable on it.
void Paint(QWidget* w, Verdict v) {
  const QColor back = QtCanvas::ToQColor(VerdictColour(v));
  const QColor text = v == Verdict::Marginal ? Qt::black : Qt::white;
  w->setStyleSheet(QString("background-color: %1; color: %2; font-weight: bold; padding: 2px;")
                       .arg(back.name(), text.name()));
}

}  // namespace

TPeakTable::TPeakTable(QWidget* parent, PeakTableControl& control)
    : QDialog(parent), control_(control) {
  setObjectName("PeakTable");
  setWindowTitle("Peak Table");
  setModal(false);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  heading_ = new QLabel(this);
  heading_->setObjectName("Heading");
  heading_->setWordWrap(true);
  layout->addWidget(heading_);

  grid_ = new QTableWidget(0, kColumns, this);
  grid_->setObjectName("Grid");
  grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid_->setSelectionMode(QAbstractItemView::SingleSelection);
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 6);
  grid_->verticalHeader()->hide();
  grid_->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
  layout->addWidget(grid_, 1);
  connect(grid_, &QTableWidget::itemSelectionChanged, this, &TPeakTable::rowPicked);

  auto* bottom = new QHBoxLayout;
  overall_ = new QLabel(this);
  overall_->setObjectName("Overall");
  bottom->addWidget(overall_);
  progress_ = new QProgressBar(this);
  progress_->setObjectName("ProgressBar");
  progress_->setTextVisible(true);
  progress_->setMinimumWidth(progress_->fontMetrics().horizontalAdvance("50 of 50 measured") + 16);
  bottom->addWidget(progress_, 1);
  measure_ = new QPushButton("Measure Peaks", this);
  measure_->setObjectName("MeasureBtn");
  stop_ = new QPushButton("Stop", this);
  stop_->setObjectName("StopBtn");
  auto* close = new QPushButton("Close", this);
  close->setObjectName("CloseBtn");
  bottom->addWidget(measure_);
  bottom->addWidget(stop_);
  bottom->addWidget(close);
  layout->addLayout(bottom);
  connect(measure_, &QPushButton::clicked, this, [this] { control_.MeasurePeaks(); });
  connect(stop_, &QPushButton::clicked, this, [this] { control_.StopMeasurement(); });
  connect(close, &QPushButton::clicked, this, &QDialog::close);
}

void TPeakTable::open(int maxWidth) {
  maxWidth_ = maxWidth;
  shownRevision_ = -1;
  refresh();
  fitWidth();
  show();
  raise();
  activateWindow();
}

void TPeakTable::closeEvent(QCloseEvent* event) {
  // The marker belongs to the window.
  if (!control_.Measuring()) control_.SelectRow(-1);
  QDialog::closeEvent(event);
}

void TPeakTable::refresh() {
  if (control_.Revision() != shownRevision_) {
    shownRevision_ = control_.Revision();
    fill();
  }
  updateButtons();
}

void TPeakTable::updateButtons() {
  measure_->setEnabled(control_.CanMeasure());
  stop_->setEnabled(control_.Measuring());
}

void TPeakTable::fill() {
  const PeakTable& t = control_.Table();
  filling_ = true;
  const QString u = ToQString(t.unit);
  const bool peakLine = std::any_of(t.rows.begin(), t.rows.end(), [](const PeakRow& r) {
    return r.base.present && r.base.detector == 'P' && !r.companion.present;
  });
  grid_->setHorizontalHeaderLabels({"MHz", "Read\ndBuV", "Corr.\ndB", "Sweep\n" + u,
                                    (peakLine ? "Final\n" : "QP\n") + u, "AV\n" + u, "Det.",
                                    "Limit\n" + u, "Margin\ndB", "QP Lim.\n" + u, "QP Mgn.\ndB",
                                    "LISN", "Verdict"});
  grid_->setRowCount(static_cast<int>(t.rows.size()));
  for (int i = 0; i < static_cast<int>(t.rows.size()); ++i)
    fillRow(i, t.rows[static_cast<std::size_t>(i)]);
  grid_->clearSelection();
  if (const int picked = control_.SelectedRow(); picked >= 0 && picked < grid_->rowCount())
    grid_->selectRow(picked);
  filling_ = false;

  heading_->setText(
      t.limitName.empty()
          ? QString("No limit shown: the %1 highest peaks of the sweep.").arg(t.rows.size())
          : QString("Limit : %1     Marginal within %2 dB of a line")
                .arg(ToQString(t.limitName), Fixed(t.thresholdDb, 0)));
  overall_->setText("Overall : " + ToQString(VerdictText(t.overall)));
  Paint(overall_, t.overall);
  const int rows = std::max(1, static_cast<int>(t.rows.size()));
  progress_->setRange(0, rows);
  progress_->setValue(std::min(control_.RowsMeasured(), rows));
  progress_->setFormat(QString("%v of %1 measured").arg(t.rows.size()));
  // The window is sized when it opens or its columns change, not at every new table.
  if (showColumns() || !isVisible()) fitWidth();
}

void TPeakTable::fillRow(int row, const PeakRow& r) {
  const PeakReading& deciding = ReadingOf(r, r.detector);
  const PeakReading& finalReading = r.finalPeak.taken() ? r.finalPeak : r.quasiPeak;
  const std::array<QString, kColumns> cells{Fixed(deciding.frequencyHz / 1e6, 3),
                                            Fixed(deciding.readDbuv, 1),
                                            Fixed(deciding.correctionDb, 1),
                                            LevelText(r.peak),
                                            LevelText(finalReading),
                                            LevelText(r.average),
                                            r.detector ? QString(QChar(r.detector)) : QString(),
                                            LimitText(r.base),
                                            MarginText(r.base),
                                            LimitText(r.companion),
                                            MarginText(r.companion),
                                            ToQString(r.lisnLine),
                                            ToQString(VerdictText(r.verdict))};
  for (int c = 0; c < kColumns; ++c) {
    auto* item = new QTableWidgetItem(cells[static_cast<std::size_t>(c)]);
    item->setTextAlignment(c == kLisn || c == kVerdict || c == kDetector
                               ? Qt::AlignCenter
                               : Qt::AlignRight | Qt::AlignVCenter);
    grid_->setItem(row, c, item);
  }
  QTableWidgetItem* verdict = grid_->item(row, kVerdict);
  verdict->setBackground(QtCanvas::ToQColor(VerdictColour(r.verdict)));
  verdict->setForeground(r.verdict == Verdict::Marginal ? Qt::black : Qt::white);
  // A verdict that rests on the sweep alone is in italics until the final reading is taken.
  if (!r.finalVerdict) {
    QFont italic = verdict->font();
    italic.setItalic(true);
    verdict->setFont(italic);
  }
}

bool TPeakTable::showColumns() {
  const PeakTable& t = control_.Table();
  auto any = [&t](auto test) { return std::any_of(t.rows.begin(), t.rows.end(), test); };
  const bool limit = !t.limitName.empty();
  const bool companion = any([](const PeakRow& r) { return r.companion.present; });
  const bool lisn = any([](const PeakRow& r) { return !r.lisnLine.empty(); });
  grid_->setColumnHidden(kAverage, !companion);
  grid_->setColumnHidden(kLimit, !limit);
  grid_->setColumnHidden(kMargin, !limit);
  grid_->setColumnHidden(kQpLimit, !companion);
  grid_->setColumnHidden(kQpMargin, !companion);
  grid_->setColumnHidden(kLisn, !lisn);
  grid_->resizeColumnsToContents();
  const std::array<bool, 4> shown{limit, companion, lisn, t.rows.size() > 12};
  const bool changed = shown != shownColumns_;
  shownColumns_ = shown;
  return changed;
}

void TPeakTable::fitWidth() {
  // Room for a vertical scroll bar only where the rows need one.
  const int shownRows = std::clamp(grid_->rowCount(), 5, 12);
  int width = 2 * grid_->frameWidth() + 4 +
              (grid_->rowCount() > shownRows ? grid_->verticalScrollBar()->sizeHint().width() : 0);
  for (int c = 0; c < kColumns; ++c)
    if (!grid_->isColumnHidden(c)) width += grid_->columnWidth(c);
  const int margins = layout()->contentsMargins().left() + layout()->contentsMargins().right();
  const int height = grid_->horizontalHeader()->sizeHint().height() +
                     shownRows * grid_->verticalHeader()->defaultSectionSize() +
                     2 * grid_->frameWidth();
  grid_->setMinimumHeight(height);
  resize(std::clamp(width + margins, minimumSizeHint().width(), std::max(maxWidth_, 300)),
         sizeHint().height());
}

void TPeakTable::rowPicked() {
  if (filling_) return;
  const auto rows = grid_->selectionModel()->selectedRows();
  control_.SelectRow(rows.isEmpty() ? -1 : rows.front().row());
}

}  // namespace tq
