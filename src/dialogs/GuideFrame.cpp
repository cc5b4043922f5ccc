#include "dialogs/GuideFrame.h"

#include <QButtonGroup>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tq {

TTDinfo::TTDinfo(QWidget* parent, const char* name, const QString& caption)
    : GuideForm(parent, name, caption) {
  moreinfo_ = Memo(this, "moreinfo");
  layout_->addWidget(moreinfo_);
  addButtons("OK", "");
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
  resize(QFontMetrics(moreinfo_->font()).horizontalAdvance(QString(80, 'n')) + 60, 380);
}

bool TTDinfo::Inform(const QString& caption, const std::vector<std::string>& lines) {
  setWindowTitle(caption);
  ShowLines(moreinfo_, lines);
  return exec() == QDialog::Accepted;
}

Ttesttype::Ttesttype(QWidget* parent) : GuideForm(parent, "testtype", "Test Type") {
  testchoice_ = RadioColumns(this, "testchoice", "", {"Conducted", "Radiated"}, 2, layout_);
  addButtons("Continue", "Back");
  ok_->setObjectName("Button1");
  cancel_->setObjectName("Button2");
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
  setMinimumWidth(260);
}

void Ttesttype::setFirstItem(const QString& caption) {
  testchoice_->button(0)->setText(caption);
  adjustSize();
}

std::optional<int> Ttesttype::Ask() {
  if (exec() != QDialog::Accepted) return std::nullopt;
  return Checked(testchoice_);
}

TTDinstruct::TTDinstruct(QWidget* parent) : QDialog(parent) {
  setObjectName("TDinstruct");
  setWindowTitle("Ridu Dudoruvo Instruction");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel("Notes", this));
  instruct_ = Memo(this, "instruct");
  layout->addWidget(instruct_);
  // The numbered steps line up in a fixed-pitch font.
  instruct_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  auto* buttons = new QHBoxLayout;
  cancel_ = new QPushButton("Cancel", this);
  cancel_->setObjectName("Button1");
  print_ = new QPushButton("Print", this);
  print_->setObjectName("Button2");
  setAnalyser_ = new QPushButton("Set Analyser", this);
  setAnalyser_->setObjectName("Button3");
  setAnalyser_->setDefault(true);
  buttons->addStretch();
  buttons->addWidget(cancel_);
  buttons->addWidget(print_);
  buttons->addWidget(setAnalyser_);
  layout->addLayout(buttons);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
  // The instruction lines are up to 80 characters: the memo shows them whole.
  const QFontMetrics metrics(instruct_->font());
  resize(metrics.horizontalAdvance(QString(82, 'n')) + 60, 560);
}

void TTDinstruct::setLines(const std::vector<std::string>& lines) {
  ShowLines(instruct_, lines);
}

}  // namespace tq
