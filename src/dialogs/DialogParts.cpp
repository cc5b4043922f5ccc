#include "dialogs/DialogParts.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "model/HelpTopics.h"
#include "platform/HelpViewer.h"

namespace tq {

QButtonGroup* RadioGroup(QWidget* parent, const char* name, const QString& title,
                         const QStringList& items, QBoxLayout* into) {
  auto* box = new QGroupBox(title, parent);
  box->setObjectName(name);
  auto* layout = new QVBoxLayout(box);
  auto* group = new QButtonGroup(box);
  for (int i = 0; i < items.size(); ++i) {
    auto* b = new QRadioButton(items[i], box);
    group->addButton(b, i);
    layout->addWidget(b);
  }
  into->addWidget(box);
  return group;
}

QDialogButtonBox* OkCancelHelp(QDialog* dialog, HelpViewer& help, int topic) {
  auto* buttons = new QDialogButtonBox(
      QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, dialog);
  buttons->button(QDialogButtonBox::Ok)->setObjectName("OKBtn");
  buttons->button(QDialogButtonBox::Cancel)->setObjectName("CancelBtn");
  buttons->button(QDialogButtonBox::Help)->setObjectName("HelpBtn");
  ConnectHelp(buttons->button(QDialogButtonBox::Help), help, topic);
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  return buttons;
}

namespace {
constexpr char kTopicProperty[] = "helpTopic";
}

void SetHelpTopic(QWidget* window, int topic) {
  window->setProperty(kTopicProperty, topic);
}

int HelpTopicOf(const QWidget* widget) {
  for (const QWidget* w = widget ? widget->window() : nullptr; w;
       w = w->parentWidget() ? w->parentWidget()->window() : nullptr) {
    const QVariant topic = w->property(kTopicProperty);
    if (topic.isValid()) return topic.toInt();
  }
  return help::kContents;
}

void ConnectHelp(QAbstractButton* button, HelpViewer& help, int topic) {
  SetHelpTopic(button->window(), topic);
  QObject::connect(button, &QAbstractButton::clicked, button,
                   [&help, topic] { help.ShowHelpTopic(topic); });
}

}  // namespace tq
