#pragma once

#include <string>
#include <vector>

#include "measure/WindowModel.h"

namespace tq::test {

// A main window that only counts what it was asked to do.
class RecordingView : public MainView {
 public:
  int modelChanges = 0;
  int repaints = 0;
  int closeRequests = 0;
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
};

}  // namespace tq::test
