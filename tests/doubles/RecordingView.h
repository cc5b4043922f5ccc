#pragma once

#include <string>
#include <vector>

#include "model/WindowModel.h"

namespace tq::test {

// A main window that only counts what it was asked to do.
class RecordingView : public MainView {
 public:
  int modelChanges = 0;
  int repaints = 0;
  int closeRequests = 0;
  int plottedPoints = 0;
  std::vector<int> plottedKinds;
  int valuesWindowShows = 0;
  int valuesWindowHides = 0;
  ValueTexts values;
  PointerShape pointerShape = PointerShape::Default;
  bool messageVisible = false;
  std::vector<std::string> messageTexts;

  void modelChanged() override { ++modelChanges; }
  void repaint() override { ++repaints; }
  void showMessageWindow(const std::string& text) override {
    messageVisible = true;
    messageTexts.push_back(text);
  }
  void hideMessageWindow() override { messageVisible = false; }
  void placeMessageWindow() override {}
  void closeMainWindow() override { ++closeRequests; }
  int beeps = 0;
  void beep() override { ++beeps; }
  void plotPoint(int kind, int) override {
    ++plottedPoints;
    plottedKinds.push_back(kind);
  }
  void setPointerShape(PointerShape shape) override { pointerShape = shape; }
  void showValuesWindow() override { ++valuesWindowShows; }
  void hideValuesWindow() override { ++valuesWindowHides; }
  void showValues(const ValueTexts& v) override { values = v; }
  // Single frequency: the settings dialog was asked for.
  int settingsDialogs = 0;
  void openSingleFrequencySettings() override { ++settingsDialogs; }
};

}  // namespace tq::test
