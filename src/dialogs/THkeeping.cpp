#include "dialogs/THkeeping.h"

#include <QDialogButtonBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "dialogs/DialogParts.h"
#include "measure/Details.h"
#include "model/HelpTopics.h"
#include "platform/HelpViewer.h"

namespace tq {

namespace {

constexpr int kGridRows = 10;
constexpr int kInstanceWidth = 60;
constexpr int kHandleWidth = 90;
constexpr int kDescriptionWidth = 150;
constexpr int kVisibleRows = 5;

QLabel* NamedLabel(const char* name, const char* text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  return label;
}

QString Q(const std::string& s) {
  return QString::fromStdString(s);
}

}  // namespace

THkeeping::THkeeping(QWidget* parent, HelpViewer& helpViewer) : QDialog(parent), help_(helpViewer) {
  setObjectName("Hkeeping");
  setWindowTitle("Details");

  edit1_ = new QLineEdit(";", this);
  edit1_->setObjectName("Edit1");
  edit1_->setMaxLength(1);
  edit1_->setFixedWidth(40);
  edit2_ = new QLineEdit("Path", this);
  edit2_->setObjectName("Edit2");
  edit2_->setMaxLength(128);
  auto* fields = new QGridLayout;
  fields->addWidget(NamedLabel("Label1", "File Delimitor", this), 0, 0);
  fields->addWidget(edit1_, 0, 1, Qt::AlignLeft);
  fields->addWidget(NamedLabel("Label3", "Default Path", this), 1, 0);
  fields->addWidget(edit2_, 1, 1);
  fields->setColumnStretch(1, 1);
  label2_ = NamedLabel("Label2", "Hardware Version", this);

  // The USB adapters the start-up search opened: instance, handle and, when listed, the name.
  auto* panel1 = new QFrame(this);
  panel1->setObjectName("Panel1");
  panel1->setFrameShape(QFrame::StyledPanel);
  grid_ = new QTableWidget(kGridRows, 3, panel1);
  grid_->setObjectName("StringGrid1");
  grid_->horizontalHeader()->hide();
  grid_->verticalHeader()->hide();
  grid_->setColumnWidth(0, kInstanceWidth);
  grid_->setColumnWidth(1, kHandleWidth);
  grid_->setColumnWidth(2, kDescriptionWidth);
  grid_->horizontalHeader()->setStretchLastSection(true);
  grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->setSelectionMode(QAbstractItemView::NoSelection);
  const int rowHeight = grid_->fontMetrics().height() + 6;
  grid_->verticalHeader()->setDefaultSectionSize(rowHeight);
  grid_->setFixedHeight(rowHeight * kVisibleRows + 2 * grid_->frameWidth());
  grid_->setMinimumWidth(kInstanceWidth + kHandleWidth + kDescriptionWidth + 24);

  auto* columns = new QHBoxLayout;
  columns->setContentsMargins(grid_->frameWidth(), 0, 0, 0);
  columns->setSpacing(0);
  columns->addSpacing(kInstanceWidth);
  QLabel* label10 = NamedLabel("Label10", "Handle", panel1);
  label10->setFixedWidth(kHandleWidth);
  columns->addWidget(label10);
  columns->addWidget(NamedLabel("Label9", "Description", panel1), 1);
  auto* panelLayout = new QVBoxLayout(panel1);
  panelLayout->addWidget(NamedLabel("Label11", "USB Devices Detected", panel1));
  panelLayout->addLayout(columns);
  panelLayout->addWidget(grid_);

  label4_ = NamedLabel("Label4", "USB Serial", this);
  label5_ = NamedLabel("Label5", "USB Hardware", this);

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* ok = buttons->addButton("OK", QDialogButtonBox::AcceptRole);
  ok->setObjectName("OKBtn");
  ok->setDefault(true);
  buttons->addButton("Cancel", QDialogButtonBox::RejectRole)->setObjectName("CancelBtn");
  QPushButton* help = buttons->addButton("Help", QDialogButtonBox::HelpRole);
  help->setObjectName("HelpBtn");
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(buttons, &QDialogButtonBox::helpRequested, this, &THkeeping::HelpBtnClick);
  SetHelpTopic(this, help::kDetails);
  // Both fields share the one change handler, which looks at the delimiter.
  connect(edit1_, &QLineEdit::textEdited, this, &THkeeping::Edit1Change);
  connect(edit2_, &QLineEdit::textEdited, this, &THkeeping::Edit1Change);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addWidget(label2_);
  layout->addWidget(panel1);
  layout->addWidget(label4_);
  layout->addWidget(label5_);
  layout->addWidget(buttons);
}

void THkeeping::FormActivate(const DetailsValues& values) {
  edit2_->setText(Q(values.defaultPath));
  label2_->setText(values.versionText.empty() ? "Hardware Version" : Q(values.versionText));
  showUsb(values.usb);
}

void THkeeping::showUsb(const UsbDetails& usb) {
  grid_->clearContents();
  grid_->setRowCount(std::max(kGridRows, static_cast<int>(usb.devices.size())));
  for (int row = 0; row < static_cast<int>(usb.devices.size()); ++row) {
    const UsbDeviceRow& d = usb.devices[static_cast<std::size_t>(row)];
    grid_->setItem(row, 0, new QTableWidgetItem(QString::number(d.instance)));
    grid_->setItem(row, 1, new QTableWidgetItem(QString::number(d.handle)));
    grid_->setItem(row, 2, new QTableWidgetItem(Q(d.description)));
  }
  label4_->setText(usb.serialText.empty() ? "USB Serial" : Q(usb.serialText));
  label5_->setText(usb.hardwareText.empty() ? "USB Hardware" : Q(usb.hardwareText));
}

void THkeeping::Edit1Change() {
  if (IsInvalidDelimiterField(delimiterField()))
    QMessageBox::warning(this, "Warning", "Invalid delimitor");
}

void THkeeping::HelpBtnClick() {
  help_.ShowHelpTopic(help::kDetails);
}

std::string THkeeping::delimiterField() const {
  return edit1_->text().toStdString();
}

std::string THkeeping::pathField() const {
  return edit2_->text().toStdString();
}

}  // namespace tq
