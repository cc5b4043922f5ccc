#pragma once

#include <QString>
#include <QStringList>

class QBoxLayout;
class QButtonGroup;
class QDialog;
class QDialogButtonBox;
class QAbstractButton;
class QWidget;

namespace tq {

class HelpViewer;

// A titled box of radio buttons, ids 0.. in the order given, added to `into`.
QButtonGroup* RadioGroup(QWidget* parent, const char* name, const QString& title,
                         const QStringList& items, QBoxLayout* into);

// OK ("OKBtn"), Cancel ("CancelBtn") and Help ("HelpBtn") wired to accept and reject; Help
// opens the dialog's help topic.
QDialogButtonBox* OkCancelHelp(QDialog* dialog, HelpViewer& help, int topic);

// The help topic of a window, which F1 opens while it is in front.
void SetHelpTopic(QWidget* window, int topic);
// The topic of the window `widget` is in, or of the nearest window below it that has one; the
// contents when none has.
int HelpTopicOf(const QWidget* widget);
// `button` opens `topic` and makes it the topic of the button's window.
void ConnectHelp(QAbstractButton* button, HelpViewer& help, int topic);

}  // namespace tq
