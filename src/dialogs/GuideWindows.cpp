#include "dialogs/GuideWindows.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>

#include "dialogs/DialogParts.h"
#include "dialogs/GuideFrame.h"
#include "dialogs/GuideQuestions.h"
#include "dialogs/GuideStandardForms.h"
#include "dialogs/GuideTestForms.h"
#include "dialogs/TClassEN55015.h"
#include "dialogs/TTestDir.h"
#include "guide/GuideRules.h"
#include "guide/Standards.h"
#include "model/HelpTopics.h"
#include "platform/qt/QtText.h"

namespace tq {

namespace {

void Show(QWidget* w) {
  w->show();
  w->raise();
  w->activateWindow();
}

}  // namespace

GuideWindows::GuideWindows(QWidget* window, Guide& guide) : QObject(window), guide_(guide) {
  makeForms(window);
  connect(testDir_->continueButton(), &QPushButton::clicked, this, [this] { continueToForm(); });
  connect(testDir_->moreInformationButton(), &QPushButton::clicked, this,
          [this] { moreInformation(); });
  connectStandardForms();
  connectTestForms();
  connect(instruct_->cancelButton(), &QPushButton::clicked, this,
          [this] { guide_.CancelInstructions(); });
  connect(instruct_->printButton(), &QPushButton::clicked, this, [this] {
    if (printer_) printer_->PrintWithDialog(guide_.Page());
  });
  connect(instruct_->setAnalyserButton(), &QPushButton::clicked, this, [this] {
    guide_.SetAnalyser();
    instruct_->accept();
  });
  setPrinter(nullptr);
}

void GuideWindows::makeForms(QWidget* window) {
  info_ = new TTDinfo(window);
  phaseinfo_ = new Tphaseinfo(window);
  testtype_ = new Ttesttype(window);
  instruct_ = new TTDinstruct(window);
  testDir_ = new TTestDir(window);
  en55011_ = new TClassEN55011(window);
  en55013_ = new TClassEN55013(window);
  en55014_ = new TClassEn55014(window);
  en55015_ = new TClassEN55015(window);
  en55022_ = new TClassEN55022(window);
  en55025_ = new TClassEN55025(window);
  en60945_ = new TClassEN60945(window);
  en50081a_ = new TEN50081a(window);
  en50081b_ = new TEN50081b(window);
  forms_ = {en55011_, en55013_, en55014_,  en55015_, en55022_,
            en55025_, en60945_, en50081a_, en50081b_};
  selectvcr_ = new Tselectvcr(window);
  selectRad_ = new TselectRad(window);
  clicker_ = new Tclicker(window);
  lineselect_ = new Tlineselect(window);
  testac_ = new TTDtestac(window);
  testB_ = new TTDtestB(window);
  testD_ = new TTDtestD(window);
  testE_ = new TTDtestE(window);
  testF_ = new TTdtestF(window);
  for (QWidget* w : std::initializer_list<QWidget*>{testDir_, info_, phaseinfo_})
    SetHelpTopic(w, help::kGuide);
  for (QWidget* w : forms_) SetHelpTopic(w, help::kGuideStandardForms);
  for (QWidget* w :
       std::initializer_list<QWidget*>{testtype_, selectvcr_, selectRad_, clicker_, lineselect_})
    SetHelpTopic(w, help::kGuideQuestions);
  for (QWidget* w : std::initializer_list<QWidget*>{testac_, testB_, testD_, testE_, testF_})
    SetHelpTopic(w, help::kGuideTestForms);
  SetHelpTopic(instruct_, help::kGuideInstructions);
}

void GuideWindows::setPrinter(Printer* printer) {
  printer_ = printer;
  instruct_->printButton()->setEnabled(printer != nullptr);
}

void GuideWindows::Button4Click() {
  testtype_->setFirstItem("Conducted");
  if (guide_.Start() && info_->Inform("Ridu Dudoruvo Information", DisclaimerLines()))
    guide_.AcceptDisclaimer();
  if (!guide_.state().disclaimerAccepted) return;
  testtype_->setFirstItem("Conducted");
  Show(testDir_);
}

void GuideWindows::continueToForm() {
  testDir_->hide();
  const int tab = testDir_->tab();
  guide_.ChooseStandard(tab, testDir_->region());
  GuideForm* form = forms_[static_cast<std::size_t>(tab)];
  if (const auto caption = FormCaption(tab, testDir_->region()))
    form->setWindowTitle(ToQString(*caption));
  Show(form);
}

void GuideWindows::moreInformation() {
  const int tab = testDir_->tab();
  info_->Inform("Information about " + testDir_->tabs()->tabText(tab), MoreInformation(tab));
}

void GuideWindows::done(GuideForm* form, const GuideNext& next) {
  form->hide();
  testDir_->hide();
  follow(next);
}

void GuideWindows::follow(const GuideNext& next) {
  switch (next.step) {
    case GuideStep::TestAc:
      testac_->setWindowTitle(ToQString(next.caption));
      Show(testac_);
      break;
    case GuideStep::TestB:
      Show(testB_);
      break;
    case GuideStep::TestD:
      Show(testD_);
      break;
    case GuideStep::TestE:
      Show(testE_);
      break;
    case GuideStep::TestF:
      Show(testF_);
      break;
    case GuideStep::SelectVcr:
      info_->Inform(kAntennaTerminalCaption, AntennaTerminalInformation());
      if (selectvcr_->exec() == QDialog::Accepted)
        follow(guide_.SelectVcr(Checked(selectvcr_->eutTypes()), Checked(selectvcr_->sources())));
      break;
    case GuideStep::SelectRad:
      if (selectRad_->exec() == QDialog::Accepted)
        follow(guide_.SelectRad(Checked(selectRad_->inputs())));
      break;
    case GuideStep::LineSelect:
      lineselect_->exec();
      showInstructions();
      break;
    case GuideStep::Instructions:
      showInstructions();
      break;
    case GuideStep::End:
      break;
  }
}

void GuideWindows::askClicks() {
  if (clicker_->exec() == QDialog::Accepted)
    guide_.ClickRate(ToStdString(clicker_->rate()->text()), clicker_->switching()->isChecked());
  else
    guide_.IgnoreClicks();
}

void GuideWindows::showInstructions() {
  testDir_->hide();
  instruct_->setLines(guide_.Instructions());
  instruct_->exec();
}

}  // namespace tq
