#pragma once

#include <QObject>
#include <array>

#include "guide/Guide.h"
#include "platform/Printer.h"

class QWidget;

namespace tq {

class GuideForm;
class TClassEN55011;
class TClassEN55013;
class TClassEn55014;
class TClassEN55015;
class TClassEN55022;
class TClassEN55025;
class TClassEN60945;
class TEN50081a;
class TEN50081b;
class TTDinfo;
class TTDinstruct;
class TTDtestB;
class TTDtestD;
class TTDtestE;
class TTDtestac;
class Tphaseinfo;
class TTdtestF;
class TTestDir;
class Tclicker;
class Tlineselect;
class TselectRad;
class Tselectvcr;
class Ttesttype;

// RiduDudoruvo's windows, made once and shown as the guide goes: each window's answers go to
// the guide, and the step the guide names next is shown.
class GuideWindows : public QObject {
 public:
  GuideWindows(QWidget* window, Guide& guide);
  // The instruction window prints through this printer; without one, Print stays disabled.
  void setPrinter(Printer* printer);
  // The main window's RiduDudoruvo button.
  void Button4Click();

 private:
  void makeForms(QWidget* window);
  void connectStandardForms();
  void connectTestForms();
  void continueToForm();
  void moreInformation();
  // A per-standard form's Continue: hide it (and the RiduDudoruvo window), then go on.
  void done(GuideForm* form, const GuideNext& next);
  void follow(const GuideNext& next);
  void askClicks();
  void showInstructions();
  void en55011();
  void en55014();
  void en55015();
  void en55022();
  void en50081(bool second);
  void testAc();

  Guide& guide_;
  Printer* printer_ = nullptr;
  TTDinfo* info_;
  Tphaseinfo* phaseinfo_;
  Ttesttype* testtype_;
  TTDinstruct* instruct_;
  TTestDir* testDir_;
  TClassEN55011* en55011_;
  TClassEN55013* en55013_;
  TClassEn55014* en55014_;
  TClassEN55015* en55015_;
  TClassEN55022* en55022_;
  TClassEN55025* en55025_;
  TClassEN60945* en60945_;
  TEN50081a* en50081a_;
  TEN50081b* en50081b_;
  std::array<GuideForm*, 9> forms_{};
  Tselectvcr* selectvcr_;
  TselectRad* selectRad_;
  Tclicker* clicker_;
  Tlineselect* lineselect_;
  TTDtestac* testac_;
  TTDtestB* testB_;
  TTDtestD* testD_;
  TTDtestE* testE_;
  TTdtestF* testF_;
};

}  // namespace tq
