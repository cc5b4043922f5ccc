#include "platform/qt/QtPrompts.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QStringList>

#include "platform/Files.h"
#include "platform/HostFiles.h"
#include "platform/qt/QtText.h"

namespace tq {
namespace {

QMessageBox::Icon IconOf(MessageKind kind) {
  switch (kind) {
    case MessageKind::Warning:
      return QMessageBox::Warning;
    case MessageKind::Information:
      return QMessageBox::Information;
    case MessageKind::Error:
      return QMessageBox::Critical;
    case MessageKind::Confirmation:
      return QMessageBox::Question;
  }
  return QMessageBox::NoIcon;
}

struct ButtonSet {
  QMessageBox::StandardButton first;
  QMessageBox::StandardButton second;  // NoButton when there is one
};

ButtonSet ButtonsOf(Buttons buttons) {
  switch (buttons) {
    case Buttons::Ok:
      return {QMessageBox::Ok, QMessageBox::NoButton};
    case Buttons::OkCancel:
      return {QMessageBox::Ok, QMessageBox::Cancel};
    case Buttons::YesNo:
      return {QMessageBox::Yes, QMessageBox::No};
    case Buttons::YesCancel:
      return {QMessageBox::Yes, QMessageBox::Cancel};
  }
  return {QMessageBox::Ok, QMessageBox::NoButton};
}

Answer AnswerOf(int button) {
  switch (button) {
    case QMessageBox::Ok:
      return Answer::Ok;
    case QMessageBox::Yes:
      return Answer::Yes;
    case QMessageBox::No:
      return Answer::No;
    default:
      return Answer::Cancel;
  }
}

// The patterns of a filter part: "*.emc;*.txt" -> "*.emc *.txt".
QString Patterns(const QString& part) {
  QStringList patterns = part.split(u';', Qt::SkipEmptyParts);
  for (QString& p : patterns) p = p.trimmed();
  patterns.removeAll(QString());
  return patterns.join(u' ');
}

}  // namespace

QtPrompts::QtPrompts(QWidget* parent, const Files* files) : parent_(parent), files_(files) {}

QString MessageCaption(MessageKind kind) {
  switch (kind) {
    case MessageKind::Warning:
      return QStringLiteral("Warning");
    case MessageKind::Information:
      return QStringLiteral("Information");
    case MessageKind::Error:
      return QStringLiteral("Error");
    case MessageKind::Confirmation:
      return QStringLiteral("Confirm");
  }
  return {};
}

Answer QtPrompts::message(MessageKind kind, std::string_view text, Buttons buttons) {
  QMessageBox box(IconOf(kind), MessageCaption(kind), ToQString(text), QMessageBox::NoButton,
                  parent_);
  const ButtonSet set = ButtonsOf(buttons);
  box.addButton(set.first);
  if (set.second != QMessageBox::NoButton) box.addButton(set.second);
  box.setDefaultButton(set.first);
  // Escape and the close box answer with the second button, or OK when it is alone.
  box.setEscapeButton(set.second != QMessageBox::NoButton ? set.second : set.first);
  box.exec();
  QAbstractButton* clicked = box.clickedButton();
  const int answer = clicked ? box.standardButton(clicked)
                             : (set.second != QMessageBox::NoButton ? set.second : set.first);
  return AnswerOf(answer);
}

std::optional<std::string> QtPrompts::inputBox(std::string_view caption, std::string_view prompt,
                                               std::string_view defaultText, int maxLength) {
  QInputDialog dialog(parent_);
  dialog.setWindowTitle(ToQString(caption));
  dialog.setLabelText(ToQString(prompt));
  dialog.setTextValue(ToQString(defaultText));
  if (auto* field = dialog.findChild<QLineEdit*>(); field && maxLength > 0)
    field->setMaxLength(maxLength);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return ToStdString(dialog.textValue());
}

QString QtPrompts::hostDir(std::string_view programDir) const {
  if (programDir.empty()) return {};
  if (!files_) return ToQString(programDir);
  return ToQString(Utf8Path(files_->resolve(programDir)));
}

std::optional<std::string> QtPrompts::openFileName(std::string_view title, std::string_view filter,
                                                   std::string_view initialDir) {
  QFileDialog dialog(parent_, ToQString(title), hostDir(initialDir), ToQtFileFilter(filter));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setDefaultSuffix(DefaultSuffix(filter));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return ToStdString(dialog.selectedFiles().constFirst());
}

std::optional<std::string> QtPrompts::saveFileName(std::string_view title, std::string_view filter,
                                                   std::string_view initialDir,
                                                   std::string_view defaultExtension) {
  QFileDialog dialog(parent_, ToQString(title), hostDir(initialDir), ToQtFileFilter(filter));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(defaultExtension.empty() ? DefaultSuffix(filter)
                                                   : ToQString(defaultExtension));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return ToStdString(dialog.selectedFiles().constFirst());
}

QString ToQtFileFilter(std::string_view filter) {
  const QStringList parts = ToQString(filter).split(u'|');
  if (parts.size() < 2) return Patterns(parts.value(0));
  QStringList entries;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString description = parts[i].trimmed();
    // Qt reads the patterns from the last parentheses, so a "Text (*.txt)" description
    // would otherwise carry them twice.
    if (description.endsWith(u')')) {
      const qsizetype open = description.lastIndexOf(u'(');
      if (open >= 0) description = description.left(open).trimmed();
    }
    const QString patterns = Patterns(parts[i + 1]);
    if (patterns.isEmpty()) continue;
    entries << (description.isEmpty() ? patterns : description) + QStringLiteral(" (") + patterns +
                   QLatin1Char(')');
  }
  return entries.join(QStringLiteral(";;"));
}

QString DefaultSuffix(std::string_view filter) {
  const QStringList parts = ToQString(filter).split(u'|');
  const QString first = Patterns(parts.size() < 2 ? parts.value(0) : parts[1]).section(u' ', 0, 0);
  if (!first.startsWith(QStringLiteral("*.")) || first.indexOf(u'*', 2) >= 0 ||
      first.contains(u'?'))
    return {};
  return first.mid(2);
}

}  // namespace tq
