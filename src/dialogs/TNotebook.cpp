#include "dialogs/TNotebook.h"

#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QVBoxLayout>

#include "platform/qt/QtText.h"
#include "results/Notes.h"

namespace tq {

TNotebook::TNotebook(QWidget* parent) : QDialog(parent) {
  setObjectName("Notebook");
  setWindowTitle("Notes");
  auto* layout = new QVBoxLayout(this);
  memo1_ = new QPlainTextEdit(this);
  memo1_->setObjectName("Memo1");
  // Room for a report's eight lines and then some.
  const QFontMetrics metrics(memo1_->font());
  memo1_->setMinimumSize(metrics.horizontalAdvance(QString(60, 'x')), metrics.lineSpacing() * 14);
  layout->addWidget(memo1_);
  auto* buttons = new QDialogButtonBox(this);
  QPushButton* ok = buttons->addButton("OK", QDialogButtonBox::AcceptRole);
  ok->setObjectName("OKBtn");
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  layout->addWidget(buttons);
  connect(memo1_, &QPlainTextEdit::textChanged, this, &TNotebook::keepWithinLength);
}

void TNotebook::FormActivate(const std::string& text) {
  memo1_->setPlainText(ToQString(text));
}

std::string TNotebook::text() const {
  return ToStdString(memo1_->toPlainText());
}

void TNotebook::keepWithinLength() {
  std::u32string text = memo1_->toPlainText().toStdU32String();
  if (text.size() <= kNotesLength) return;
  // A paste that runs over is cut at the limit, as typing stops there.
  text.resize(kNotesLength);
  const QSignalBlocker block(memo1_);
  memo1_->setPlainText(QString::fromStdU32String(text));
  memo1_->moveCursor(QTextCursor::End);
}

}  // namespace tq
