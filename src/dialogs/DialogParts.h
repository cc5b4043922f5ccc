#pragma once

#include <QString>
#include <QStringList>

class QBoxLayout;
class QButtonGroup;
class QDialog;
class QDialogButtonBox;
class QWidget;

namespace tq {

// A titled box of radio buttons, ids 0.. in the order given, added to `into`.
QButtonGroup* RadioGroup(QWidget* parent, const char* name, const QString& title,
                         const QStringList& items, QBoxLayout* into);

// OK ("OKBtn"), Cancel ("CancelBtn") and Help ("HelpBtn") wired to accept and reject. Help
// stays disabled until the help window exists.
QDialogButtonBox* OkCancelHelp(QDialog* dialog);

}  // namespace tq
