// The guide windows' handlers of the per-standard and test-method forms.
#include <QButtonGroup>
#include <QLineEdit>
#include <QPushButton>

#include "dialogs/GuideFrame.h"
#include "dialogs/GuideStandardForms.h"
#include "dialogs/GuideTestForms.h"
#include "dialogs/GuideWindows.h"
#include "dialogs/TClassEN55015.h"
#include "guide/GuideRules.h"
#include "guide/Standards.h"
#include "platform/qt/QtText.h"

namespace tq {

void GuideWindows::connectStandardForms() {
  auto onOk = [this](GuideForm* form, auto handler) {
    connect(form->okButton(), &QPushButton::clicked, this, handler);
  };
  onOk(en55011_, [this] { en55011(); });
  onOk(en55013_, [this] { done(en55013_, guide_.En55013(Checked(en55013_->clauses()))); });
  onOk(en55014_, [this] { en55014(); });
  onOk(en55015_, [this] { en55015(); });
  onOk(en55022_, [this] { en55022(); });
  onOk(en55025_, [this] {
    guide_.En55025(Checked(en55025_->categories()), Checked(en55025_->interference()),
                   Checked(en55025_->classes()));
    done(en55025_, {});
  });
  onOk(en60945_, [this] { done(en60945_, guide_.En60945(Checked(en60945_->tests()))); });
  connect(en60945_->moreInfoButton(), &QPushButton::clicked, this,
          [this] { info_->Inform(kCurrentProbeCaption, CurrentProbeInformation()); });
  onOk(en50081a_, [this] { en50081(false); });
  onOk(en50081b_, [this] { en50081(true); });
}

void GuideWindows::en55011() {
  guide_.En55011Frequency(ToStdString(en55011_->frequency()->text()));
  const auto type = testtype_->Ask();
  if (!type) {
    en55011_->hide();
    return;
  }
  guide_.SetTestType(*type);
  done(en55011_, guide_.En55011(Checked(en55011_->groups()), Checked(en55011_->classes())));
}

void GuideWindows::en55014() {
  const auto type = testtype_->Ask();
  if (!type) {
    en55014_->hide();
    return;
  }
  guide_.SetTestType(*type);
  const bool discontinuous = Checked(en55014_->interference()) == 1;
  if (discontinuous) askClicks();
  done(en55014_, guide_.En55014(Checked(en55014_->equipment()), discontinuous));
}

void GuideWindows::en55015() {
  const int lamp = en55015_->lampType();
  const int category =
      guide_.En55015Category(lamp, ToStdString(en55015_->frequencyText()), en55015_->inMHz());
  testtype_->setFirstItem(TestTypeFirstItem(lamp));
  std::optional<int> type;
  if (En55015AsksTestType(category)) type = testtype_->Ask();
  done(en55015_, guide_.En55015(category, type));
}

void GuideWindows::en55022() {
  const auto type = testtype_->Ask();
  if (!type) {
    en55022_->hide();
    return;
  }
  guide_.SetTestType(*type);
  done(en55022_, guide_.En55022(Checked(en55022_->classes())));
}

void GuideWindows::en50081(bool second) {
  QButtonGroup* range = second ? en50081b_->range() : en50081a_->range();
  QButtonGroup* emissions = second ? en50081b_->emissions() : en50081a_->emissions();
  const bool conducted = Checked(range) == 1;
  const bool transients = Checked(emissions) == 1;
  if (conducted && transients) askClicks();
  if (second)
    done(en50081b_, guide_.En50081b(conducted, transients));
  else
    done(en50081a_, guide_.En50081a(conducted, transients, Checked(en50081a_->limits())));
}

void GuideWindows::connectTestForms() {
  connect(testac_->okButton(), &QPushButton::clicked, this, [this] { testAc(); });
  connect(testac_->moreInfoButton(), &QPushButton::clicked, this,
          [this] { phaseinfo_->Inform("Phase Information", ThreePhaseWiring()); });
  connect(testB_->okButton(), &QPushButton::clicked, this, [this] {
    testB_->hide();
    guide_.TestB(testB_->withErs());
    showInstructions();
  });
  connect(testD_->okButton(), &QPushButton::clicked, this, [this] {
    testD_->hide();
    guide_.TestD();
    showInstructions();
  });
  connect(testE_->okButton(), &QPushButton::clicked, this, [this] {
    testE_->hide();
    guide_.TestE(Checked(testE_->sources()));
    showInstructions();
  });
  connect(testF_->okButton(), &QPushButton::clicked, this, [this] {
    testF_->hide();
    guide_.TestF(Checked(testF_->antennas()));
    showInstructions();
  });
}

void GuideWindows::testAc() {
  testac_->hide();
  const bool threePhase = Checked(testac_->phases()) == 1;
  if (guide_.TestAc(Checked(testac_->inputs()), threePhase, Checked(testac_->preamps())))
    info_->Inform("Ridu Dudoruvo Information", ThreePhaseNote());
  showInstructions();
}

}  // namespace tq
