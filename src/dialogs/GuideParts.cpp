#include "dialogs/GuideParts.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include "guide/GuideRules.h"
#include "platform/qt/QtText.h"

namespace tq {

QButtonGroup* RadioColumns(QWidget* parent, const char* name, const QString& title,
                           const QStringList& items, int columns, QBoxLayout* into) {
  auto* box = new QGroupBox(title, parent);
  box->setObjectName(name);
  auto* grid = new QGridLayout(box);
  auto* group = new QButtonGroup(box);
  const int rows = (static_cast<int>(items.size()) + columns - 1) / columns;
  for (int i = 0; i < items.size(); ++i) {
    auto* b = new QRadioButton(items[i], box);
    group->addButton(b, i);
    grid->addWidget(b, i % rows, i / rows);
  }
  if (!items.isEmpty()) group->button(0)->setChecked(true);
  into->addWidget(box);
  return group;
}

void RefillRadios(QButtonGroup* group, const QStringList& items) {
  auto* box = static_cast<QWidget*>(group->parent());
  auto* grid = static_cast<QGridLayout*>(box->layout());
  for (QAbstractButton* b : group->buttons()) {
    group->removeButton(b);
    delete b;
  }
  for (int i = 0; i < items.size(); ++i) {
    auto* b = new QRadioButton(items[i], box);
    group->addButton(b, i);
    grid->addWidget(b, i, 0);
  }
  if (!items.isEmpty()) group->button(0)->setChecked(true);
}

int Checked(const QButtonGroup* group) {
  return std::max(group->checkedId(), 0);
}

QPlainTextEdit* Memo(QWidget* parent, const char* name) {
  auto* memo = new QPlainTextEdit(parent);
  memo->setObjectName(name);
  memo->setReadOnly(true);
  memo->setLineWrapMode(QPlainTextEdit::NoWrap);
  memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  return memo;
}

void ShowLines(QPlainTextEdit* memo, const std::vector<std::string>& lines) {
  memo->clear();
  for (const std::string& line : lines) memo->appendPlainText(ToQString(line));
  memo->moveCursor(QTextCursor::Start);
}

QLineEdit* NumberField(QWidget* parent, const char* name, const QString& label, const QString& text,
                       QBoxLayout* into, const QString& unit) {
  auto* row = new QHBoxLayout;
  row->addWidget(new QLabel(label, parent));
  auto* edit = new QLineEdit(text, parent);
  edit->setObjectName(name);
  row->addWidget(edit);
  if (!unit.isEmpty()) row->addWidget(new QLabel(unit, parent));
  into->addLayout(row);
  auto* invalid = new QLabel(parent);
  invalid->setObjectName("InvalidEntry");
  invalid->setStyleSheet("color: red");
  into->addWidget(invalid);
  QObject::connect(edit, &QLineEdit::textChanged, invalid, [invalid](const QString& t) {
    invalid->setText(ParseGuideNumber(ToStdString(t)) ? QString() : QString(kInvalidEntry));
  });
  return edit;
}

GuideForm::GuideForm(QWidget* parent, const char* name, const QString& caption)
    : QDialog(parent), layout_(new QVBoxLayout(this)) {
  setObjectName(name);
  setWindowTitle(caption);
}

void GuideForm::addButtons(const QString& okText, const QString& cancelText) {
  auto* buttons = new QDialogButtonBox(this);
  ok_ = buttons->addButton(okText, QDialogButtonBox::AcceptRole);
  ok_->setObjectName("OKBtn");
  ok_->setDefault(true);
  if (!cancelText.isEmpty()) {
    cancel_ = buttons->addButton(cancelText, QDialogButtonBox::RejectRole);
    cancel_->setObjectName("CancelBtn");
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
  }
  layout_->addWidget(buttons);
}

}  // namespace tq
