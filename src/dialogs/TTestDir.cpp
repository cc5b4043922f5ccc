#include "dialogs/TTestDir.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QVBoxLayout>

#include "dialogs/GuideParts.h"
#include "guide/AnalyserSetup.h"
#include "guide/Standards.h"
#include "platform/qt/QtText.h"

namespace tq {

TTestDir::TTestDir(QWidget* parent) : QDialog(parent) {
  setObjectName("TestDir");
  setWindowTitle("Ridu Dudoruvo");
  auto* layout = new QVBoxLayout(this);
  auto* label1 = new QLabel("Select Standard", this);
  label1->setObjectName("Label1");
  layout->addWidget(label1);
  tabControl1_ = new QTabBar(this);
  tabControl1_->setObjectName("TabControl1");
  tabControl1_->setExpanding(false);
  tabControl1_->setUsesScrollButtons(false);
  for (const GuideStandard& s : GuideStandards()) tabControl1_->addTab(s.initial);
  layout->addWidget(tabControl1_);
  label2_ = new QLabel(this);
  label2_->setObjectName("Label2");
  label2_->setWordWrap(true);
  label2_->setMinimumHeight(2 * fontMetrics().height());
  layout->addWidget(label2_);
  radioGroup1_ = RadioColumns(this, "RadioGroup1", "",
                              {"European Standards", "Australian/NZ Standards"}, 1, layout);
  auto* buttons = new QHBoxLayout;
  button1_ = new QPushButton("More Information", this);
  button1_->setObjectName("Button1");
  button4_ = new QPushButton("Continue...", this);
  button4_->setObjectName("Button4");
  button4_->setDefault(true);
  button2_ = new QPushButton("Cancel", this);
  button2_->setObjectName("Button2");
  buttons->addWidget(button1_);
  buttons->addStretch();
  buttons->addWidget(button4_);
  buttons->addWidget(button2_);
  layout->addLayout(buttons);

  connect(tabControl1_, &QTabBar::currentChanged, this, [this] { TabControl1Change(); });
  connect(radioGroup1_, &QButtonGroup::idClicked, this, [this] { RadioGroup1Click(); });
  connect(button2_, &QPushButton::clicked, this, &QDialog::hide);
  TabControl1Change();
  setMinimumWidth(tabControl1_->sizeHint().width() + 24);
}

int TTestDir::tab() const {
  return std::max(tabControl1_->currentIndex(), 0);
}

int TTestDir::region() const {
  return radioGroup1_->checkedId() == 1 ? kAustralianRegion : kEuropeanRegion;
}

void TTestDir::TabControl1Change() {
  label2_->setText(GuideStandards()[static_cast<std::size_t>(tab())].description);
  const bool offered = StandardOffered(tab(), region());
  button1_->setEnabled(offered);
  button2_->setEnabled(offered);
  button4_->setEnabled(offered);
}

void TTestDir::RadioGroup1Click() {
  for (int i = 0; i < kStandardCount; ++i)
    tabControl1_->setTabText(i, ToQString(TabCaption(i, region())));
  TabControl1Change();
}

}  // namespace tq
