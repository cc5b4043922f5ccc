#include "dialogs/TAboutBox.h"

#include <QDialogButtonBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "model/SoftwareVersion.h"

namespace tq {

namespace {

QLabel* NamedLabel(const char* name, const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  return label;
}

}  // namespace

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
  setObjectName("AboutBox");
  setWindowTitle("About TQ4800");

  auto* panel = new QFrame(this);
  panel->setObjectName("Panel1");
  panel->setFrameShape(QFrame::StyledPanel);
  QLabel* product = NamedLabel("ProductName", "Fieldmark TQ4800", panel);
  QFont big = product->font();
  big.setPointSize(big.pointSize() + 4);
  big.setBold(true);
  product->setFont(big);
  version_ = NamedLabel("Version", "Version", panel);
  auto* inner = new QVBoxLayout(panel);
  inner->addWidget(product);
  inner->addWidget(NamedLabel("Comments", "EMC Pre-Compliance Spectrum Analyser", panel));
  inner->addSpacing(8);
  inner->addWidget(version_);
  inner->addWidget(NamedLabel("Copyright", "Veltrane Instruments Ltd", panel));

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* ok = buttons->addButton("OK", QDialogButtonBox::AcceptRole);
  ok->setObjectName("OKButton");
  ok->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(panel);
  layout->addWidget(buttons);
}

void TAboutBox::FormActivate() {
  version_->setText("Software Version " +
                    QString::fromUtf8(kSoftwareVersionStamp.data(),
                                      static_cast<qsizetype>(kSoftwareVersionStamp.size())));
}

}  // namespace tq
