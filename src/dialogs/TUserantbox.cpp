#include "dialogs/TUserantbox.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "platform/qt/QtText.h"

namespace tq {

TUserantbox::TUserantbox(QWidget* parent) : QDialog(parent) {
  setObjectName("Userantbox");
  setWindowTitle("Enter User Antenna Factor");
  auto* layout = new QVBoxLayout(this);
  auto* menuBar = new QMenuBar(this);
  QMenu* file = menuBar->addMenu("&File");
  file->setObjectName("File1");
  QAction* load = file->addAction("&Open...");
  load->setObjectName("Load1");
  QAction* save = file->addAction("&Save...");
  save->setObjectName("Save1");
  layout->setMenuBar(menuBar);

  auto* fields = new QGridLayout;
  edit1_ = new QLineEdit(this);
  edit1_->setObjectName("Edit1");
  edit1_->setMaxLength(static_cast<int>(kTitleLength));
  edit2_ = new QLineEdit(this);
  edit2_->setObjectName("Edit2");
  edit2_->setMaximumWidth(80);
  checkBox1_ = new QCheckBox("Radiated", this);
  checkBox1_->setObjectName("CheckBox1");
  fields->addWidget(new QLabel("Antenna Title", this), 0, 0);
  fields->addWidget(edit1_, 0, 1, 1, 3);
  fields->addWidget(new QLabel("Cell Frequency Change Point", this), 1, 0);
  fields->addWidget(edit2_, 1, 1);
  fields->addWidget(new QLabel("MHz", this), 1, 2);
  fields->addWidget(checkBox1_, 1, 3);
  layout->addLayout(fields);

  grid_ = new QTableWidget(static_cast<int>(kAntennaPairs), 2, this);
  grid_->setObjectName("StringGrid");
  grid_->setHorizontalHeaderLabels({"Frequency Hz", "Value (dBuV)"});
  grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  grid_->setMinimumHeight(260);
  layout->addWidget(grid_);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setObjectName("OKBtn");
  buttons->button(QDialogButtonBox::Cancel)->setObjectName("CancelBtn");
  layout->addWidget(buttons);
  resize(420, 460);

  connect(load, &QAction::triggered, this, [this] { Load1Click(); });
  connect(save, &QAction::triggered, this, [this] { Save1Click(); });
  connect(buttons, &QDialogButtonBox::accepted, this, [this] { OKBtnClick(); });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(edit1_, &QLineEdit::textChanged, this, [this](const QString& text) {
    if (filling_ || !editor_) return;
    editor_->title = ToStdString(text);
    editor_->Edit1Change();
  });
  connect(edit2_, &QLineEdit::textChanged, this, [this](const QString& text) {
    if (filling_ || !editor_) return;
    editor_->changeoverText = ToStdString(text);
    editor_->Edit1Change();
  });
  connect(checkBox1_, &QCheckBox::toggled, this, [this](bool on) {
    if (!filling_ && editor_) editor_->radiated = on;
  });
  connect(grid_, &QTableWidget::cellChanged, this, [this](int row, int column) {
    if (filling_ || !editor_ || row < 0 || row >= static_cast<int>(kAntennaPairs)) return;
    const QTableWidgetItem* item = grid_->item(row, column);
    const std::string text = item ? ToStdString(item->text()) : std::string();
    AntennaGridRow& r = editor_->grid[static_cast<std::size_t>(row)];
    (column == 0 ? r.frequency : r.factor) = text;
  });
}

void TUserantbox::begin(UserAntennaEditor& editor) {
  editor_ = &editor;
  editor.FormActivate();
  showEditor();
}

bool TUserantbox::run(UserAntennaEditor& editor) {
  begin(editor);
  return exec() == QDialog::Accepted;
}

void TUserantbox::showEditor() {
  if (!editor_) return;
  filling_ = true;
  edit1_->setText(ToQString(editor_->title));
  edit2_->setText(ToQString(editor_->changeoverText));
  checkBox1_->setChecked(editor_->radiated);
  for (std::size_t k = 0; k < kAntennaPairs; ++k) {
    const int row = static_cast<int>(k);
    const AntennaGridRow& r = editor_->grid[k];
    for (int column = 0; column < 2; ++column) {
      auto* item = new QTableWidgetItem(ToQString(column == 0 ? r.frequency : r.factor));
      item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      grid_->setItem(row, column, item);
    }
  }
  filling_ = false;
}

void TUserantbox::Load1Click() {
  if (editor_ && editor_->Load1Click()) showEditor();
}

void TUserantbox::Save1Click() {
  if (editor_) editor_->Save1Click();
}

void TUserantbox::OKBtnClick() {
  if (editor_) editor_->OKBtnClick();
  accept();
}

}  // namespace tq
