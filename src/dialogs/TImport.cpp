#include "dialogs/TImport.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "dialogs/DialogParts.h"
#include "model/HelpTopics.h"
#include "platform/qt/QtText.h"
#include "view/TextFit.h"

namespace tq {

namespace {

QButtonGroup* ImportGroup(QWidget* parent, const char* name, const QString& title,
                          QBoxLayout* into) {
  auto* box = new QGroupBox(title, parent);
  box->setObjectName(name);
  auto* layout = new QVBoxLayout(box);
  auto* group = new QButtonGroup(box);
  const QStringList items{"Do Not Import", "Archive", "Current", "Store"};
  for (int i = 0; i < items.size(); ++i) {
    auto* b = new QRadioButton(items[i], box);
    group->addButton(b, i);
    layout->addWidget(b);
  }
  into->addWidget(box);
  return group;
}

QCheckBox* Check(QWidget* parent, const char* name, const char* caption, QBoxLayout* into) {
  auto* box = new QCheckBox(caption, parent);
  box->setObjectName(name);
  into->addWidget(box);
  return box;
}

}  // namespace

TImport::TImport(QWidget* parent, HelpViewer& helpViewer) : QDialog(parent) {
  setObjectName("Import");
  setWindowTitle("Import File Options");
  auto* layout = new QVBoxLayout(this);
  label1_ = new QLabel("File Selected : ", this);
  label1_->setObjectName("Label1");
  label1_->setWordWrap(true);
  label1_->setMinimumWidth(360);
  layout->addWidget(label1_);

  auto* groups = new QHBoxLayout;
  group1_ = ImportGroup(this, "RadioGroup1", "Import Current as :", groups);
  group2_ = ImportGroup(this, "RadioGroup2", "Import Store as :", groups);
  layout->addLayout(groups);
  alldata_ = Check(this, "Alldata", "Import All Screen Settings", layout);
  singledata_ = Check(this, "singledata", "Import Single Frequency Data", layout);
  importErs_ = Check(this, "importERS", "Import ERS Correction Data", layout);
  checkBox1_ = Check(this, "CheckBox1", "Import Difference as Archive", layout);

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* ok = buttons->addButton("OK", QDialogButtonBox::AcceptRole);
  ok->setObjectName("OKBtn");
  ok->setDefault(true);
  buttons->addButton("Cancel", QDialogButtonBox::RejectRole)->setObjectName("BitBtn1");
  QPushButton* help = buttons->addButton("Help", QDialogButtonBox::HelpRole);
  help->setObjectName("HelpBtn");
  ConnectHelp(help, helpViewer, help::kImportOptions);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);

  connect(group1_, &QButtonGroup::idClicked, this,
          [this](int id) { apply(ChooseImportAs(options_, 1, static_cast<ImportAs>(id))); });
  connect(group2_, &QButtonGroup::idClicked, this,
          [this](int id) { apply(ChooseImportAs(options_, 2, static_cast<ImportAs>(id))); });
  connect(alldata_, &QCheckBox::clicked, this, [this](bool on) {
    apply({SetAllData(options_, on), {}});
  });
  connect(singledata_, &QCheckBox::clicked, this, [this](bool on) {
    ImportOptions o = options_;
    o.singleData = on;
    apply({o, {}});
  });
  connect(importErs_, &QCheckBox::clicked, this,
          [this](bool on) { apply(SetImportErs(options_, on, ersHoldsData_)); });
  connect(checkBox1_, &QCheckBox::clicked, this,
          [this](bool on) { apply(SetDifferenceAsArchive(options_, on)); });
  showOptions();
}

void TImport::FormActivate(const std::string& fileName, bool ersHoldsData) {
  ersHoldsData_ = ersHoldsData;
  // The name as it is on a line of its own; a name too long for it loses its start.
  const QFontMetrics metrics = label1_->fontMetrics();
  const TextWidth width = [&metrics](std::string_view s) {
    return metrics.horizontalAdvance(ToQString(s));
  };
  const std::string shown = FitText(fileName, label1_->minimumWidth(), Elide::Start, width);
  label1_->setText("File Selected : " + ToQString(shown));
  label1_->setToolTip(shown == fileName ? QString() : ToQString(fileName));
  options_ = OptionsOnOpening(options_);
  showOptions();
}

void TImport::apply(const ImportChange& change) {
  options_ = change.options;
  showOptions();
  if (!change.warning.empty()) QMessageBox::warning(this, "Warning", ToQString(change.warning));
}

void TImport::showOptions() {
  group1_->button(static_cast<int>(options_.currentAs))->setChecked(true);
  group2_->button(static_cast<int>(options_.storeAs))->setChecked(true);
  alldata_->setChecked(options_.allData);
  singledata_->setChecked(options_.singleData);
  importErs_->setChecked(options_.importErs);
  importErs_->setEnabled(options_.importErsEnabled);
  checkBox1_->setChecked(options_.differenceAsArchive);
}

}  // namespace tq
