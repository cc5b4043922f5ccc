#include <gtest/gtest.h>

#include <algorithm>

#include "traces/TraceFixture.h"

namespace tq::test {
namespace {

using TraceDisplayTest = TraceSetTest;

TEST_F(TraceDisplayTest, TogglesFlipTheirTraceAndRepaintByTheRunRule) {
  const struct {
    const char* name;
    void (TraceSet::*click)();
    bool WindowModel::*shown;
    bool repaintsDuringRun;
  } toggles[] = {
      {"current1", &TraceSet::current1Click, &WindowModel::showCurrent, true},
      {"Store1", &TraceSet::Store1Click, &WindowModel::showStore, true},
      {"Difference1", &TraceSet::Difference1Click, &WindowModel::showDifference, false},
      {"Archive1", &TraceSet::Archive1Click, &WindowModel::showArchive, false},
      {"limit1", &TraceSet::limit1Click, &WindowModel::showLimit, false},
  };
  for (const auto& t : toggles) {
    for (bool running : {false, true}) {
      state_.runInProgress = running;
      const bool before = model_.*t.shown;
      const int repaints = view_.repaints;
      const int changes = view_.modelChanges;
      (traces_.*t.click)();
      EXPECT_EQ(model_.*t.shown, !before) << t.name;
      EXPECT_GT(view_.modelChanges, changes) << t.name;
      EXPECT_EQ(view_.repaints - repaints, (!running || t.repaintsDuringRun) ? 1 : 0)
          << t.name << (running ? " during a run" : " while idle");
    }
  }
  EXPECT_TRUE(prompts_.asked().empty());  // sweep mode: no limit warning
}

TEST_F(TraceDisplayTest, LimitShownDuringSingleFrequencyWarnsOnlyWhenSwitchedOn) {
  const char* kWarning = "Limit Line may be Invalid if Frequency Changes";
  state_.measurementMode = 1;  // still picking the frequency
  traces_.limit1Click();
  traces_.limit1Click();
  EXPECT_TRUE(prompts_.asked().empty());

  state_.measurementMode = 2;
  traces_.limit1Click();  // on
  ASSERT_EQ(prompts_.asked().size(), 1u);
  EXPECT_EQ(prompts_.asked()[0].text, kWarning);
  EXPECT_EQ(prompts_.asked()[0].kind, MessageKind::Information);
  EXPECT_EQ(prompts_.asked()[0].buttons, Buttons::Ok);
  traces_.limit1Click();  // off
  EXPECT_EQ(prompts_.asked().size(), 1u);
}

TEST_F(TraceDisplayTest, UnitsToggleOnlyRelabels) {
  edit([&](TraceData& d) { d.currentTrace[0] = 60; });
  traces_.ToggleUnits();
  EXPECT_TRUE(state_.dbmUnits);
  EXPECT_EQ(traces_.data().currentTrace[0], 60);
  traces_.ToggleUnits();
  EXPECT_FALSE(state_.dbmUnits);
  EXPECT_EQ(view_.repaints, 2);
}

TEST_F(TraceDisplayTest, ClearEmptiesEveryLevelButKeepsTheCaptureGrids) {
  // Every level array of the set, wherever it sits.
  auto levels = [](auto& d) {
    return std::array{&d.currentTrace,
                      &d.storeTrace,
                      &d.differenceTrace,
                      &d.archiveTrace,
                      &d.limitTrace,
                      &d.singleFrequencyTrace,
                      &d.singleFrequencyDifference,
                      &d.stepStatus,
                      &d.fileCurrentTrace,
                      &d.fileStoreTrace,
                      &d.currentSource.levels,
                      &d.storeSource.levels,
                      &d.archiveSource.levels};
  };
  edit([&](TraceData& d) {
    for (Trace* t : levels(d)) t->fill(5);
    d.accumulator.fill(5.0f);
    d.storeSource.frequenciesHz.fill(3.0e7f);
    d.lastOpenedFile = "C:\\tq4800\\run1.emc";
    d.notes[7] = "EUT";
  });
  model_.modelPanelText = "run1.emc";
  model_.stepPanelText = " 12    5/8";
  state_.detector = 3;
  state_.processingMode = 1;
  state_.scansDone = 5;

  traces_.ClearTraces();
  for (const Trace* t : levels(traces_.data())) {
    EXPECT_TRUE(std::all_of(t->begin(), t->end(), [](std::int32_t v) { return v == 0; }));
  }
  EXPECT_EQ(traces_.data().accumulator[250], 0.0f);
  EXPECT_EQ(traces_.data().storeSource.frequenciesHz[250], 3.0e7f);
  EXPECT_EQ(traces_.data().lastOpenedFile, "");
  EXPECT_EQ(traces_.data().notes[7], "");
  EXPECT_EQ(model_.modelPanelText, "TQ4800");
  EXPECT_EQ(model_.stepPanelText, "");
  EXPECT_EQ(state_.detector, 1);
  EXPECT_EQ(state_.processingMode, 0);
  EXPECT_EQ(state_.scansDone, 1);
  EXPECT_EQ(view_.repaints, 1);
}

}  // namespace
}  // namespace tq::test
