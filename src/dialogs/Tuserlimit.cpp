#include "dialogs/Tuserlimit.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "dialogs/Tlimitselect.h"

namespace tq {

namespace {

QString Q(const std::string& s) {
  return QString::fromStdString(s);
}

std::string Cell(const QTableWidget* grid, int row, int column) {
  const QTableWidgetItem* item = grid->item(row, column);
  return item ? item->text().toStdString() : std::string();
}

}  // namespace

Tuserlimit::Tuserlimit(QWidget* parent, UserLimitEditor& editor, Tlimitselect& select)
    : QDialog(parent), editor_(editor), select_(select) {
  setObjectName("userlimit");
  setWindowTitle("Enter User Limit Lines");
  title_ = new QLineEdit("Title", this);
  title_->setObjectName("Title");
  title_->setMaxLength(64);
  descript_ = new QLineEdit("description", this);
  descript_->setObjectName("descript");
  descript_->setMaxLength(64);
  radiated_ = new QCheckBox("Radiated emissions", this);
  radiated_->setObjectName("radiated");
  radiated_->setChecked(true);
  limitad_ = new QLineEdit("3.0", this);
  limitad_->setObjectName("Limitad");
  limitad_->setMaxLength(20);
  label3_ = new QLabel("Antenna distance (metres)", this);
  label3_->setObjectName("Label3");

  grid_ = new QTableWidget(kUserLimitGridRows, 3, this);
  grid_->setObjectName("StringGrid");
  grid_->setHorizontalHeaderLabels({"Frequency Hz", "Value (dBuV)", "LOG Int"});
  grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  grid_->verticalHeader()->setDefaultSectionSize(20);
  // Twenty rows in view.
  grid_->setMinimumSize(360, 20 * 20 + grid_->horizontalHeader()->sizeHint().height() + 4);

  auto* bitBtn1 = new QPushButton("Save New or Modified Limit Line", this);
  bitBtn1->setObjectName("BitBtn1");
  auto* bitBtn2 = new QPushButton("Select and Edit User Limit Line", this);
  bitBtn2->setObjectName("BitBtn2");
  auto* okBtn = new QPushButton("Exit", this);
  okBtn->setObjectName("OKBtn");
  connect(bitBtn1, &QPushButton::clicked, this, &Tuserlimit::BitBtn1Click);
  connect(bitBtn2, &QPushButton::clicked, this, &Tuserlimit::BitBtn2Click);
  connect(okBtn, &QPushButton::clicked, this, &QDialog::accept);
  connect(radiated_, &QCheckBox::toggled, this, &Tuserlimit::radiatedClick);

  auto* fields = new QFormLayout;
  fields->addRow("Title", title_);
  fields->addRow("Description", descript_);
  auto* distance = new QHBoxLayout;
  distance->addWidget(radiated_);
  distance->addStretch();
  distance->addWidget(label3_);
  distance->addWidget(limitad_);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(bitBtn1);
  buttons->addWidget(bitBtn2);
  buttons->addStretch();
  buttons->addWidget(okBtn);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addLayout(distance);
  layout->addWidget(grid_);
  layout->addLayout(buttons);
  showForm(UserLimitForm{"Title", "description"});
}

void Tuserlimit::FormActivate() {
  showForm(editor_.Activate(limitad_->text().toStdString()));
}

void Tuserlimit::radiatedClick() {
  limitad_->setEnabled(radiated_->isChecked());
  label3_->setEnabled(radiated_->isChecked());
}

void Tuserlimit::showForm(const UserLimitForm& form) {
  title_->setText(Q(form.title));
  descript_->setText(Q(form.description));
  radiated_->setChecked(form.radiated);
  radiatedClick();
  limitad_->setText(Q(form.distance));
  for (int r = 0; r < kUserLimitGridRows; ++r) {
    const UserLimitRow& row = form.rows[static_cast<std::size_t>(r)];
    const std::array<const std::string*, 3> cells{&row.frequency, &row.level,
                                                  &row.logInterpolation};
    for (int c = 0; c < 3; ++c)
      grid_->setItem(r, c, new QTableWidgetItem(Q(*cells[static_cast<std::size_t>(c)])));
  }
}

UserLimitForm Tuserlimit::form() const {
  UserLimitForm f;
  f.title = title_->text().toStdString();
  f.description = descript_->text().toStdString();
  f.radiated = radiated_->isChecked();
  f.distance = limitad_->text().toStdString();
  for (int r = 0; r < kUserLimitGridRows; ++r) {
    UserLimitRow& row = f.rows[static_cast<std::size_t>(r)];
    row.frequency = Cell(grid_, r, 0);
    row.level = Cell(grid_, r, 1);
    row.logInterpolation = Cell(grid_, r, 2);
  }
  return f;
}

void Tuserlimit::BitBtn1Click() {
  if (editor_.Save(form()) == UserLimitEditor::SaveResult::Modified) accept();
}

void Tuserlimit::BitBtn2Click() {
  if (!editor_.BeginSelect()) return;
  const auto index = select_.Choose(editor_.UserLimitNames());
  if (!index) return;
  if (const auto chosen = editor_.Select(*index)) showForm(*chosen);
}

}  // namespace tq
