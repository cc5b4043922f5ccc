#pragma once

#include <array>
#include <string>

#include "model/Colour.h"

namespace tq {

// What the main window shows that the core decides; the window mirrors it on
// MainView::modelChanged().
struct WindowModel {
  std::string statusText;        // Label5
  Colour lampColour = kClGreen;  // Shape1
  int checkedPort = 0;           // Port menu tick, 1..4, 0 none
  bool ersMenuEnabled = false;   // Install ERS Data, Clear ERS Data
  std::string detailsVersionText;
  std::string modelPanelText = "TQ4800";      // Panel10
  std::string stepPanelText;                  // Panel7
  std::string frequencyBoxText;               // Edit1
  std::string dateText;                       // Panel2
  std::string loadedResultDate;               // shown by the clock while a result is loaded
  std::string rangeLabelText = "HIGH RANGE";  // Label2
  bool showCurrent = true;
  bool showStore = false;
  bool showDifference = false;
  bool showArchive = false;
  bool showLimit = false;          // limit1 checked
  bool limitEnabled = false;       // limit1 and Button14 enabled
  bool differenceEnabled = false;  // Difference1 enabled once something is stored
  bool preampSelectorEnabled = true;

  // Run controls (refreshed after every change of the run state).
  std::string button1Caption = "S/SHOT";
  std::string button2Caption = "RUN";
  std::string button17Caption = "Single";
  bool runControlsEnabled = true;  // Min, steps, Log, Start, Finish, Low, High, > STORE, menus
  bool singleEnabled = true;       // Button17
  bool runEnabled = true;          // Button2
  bool busyCursor = false;
  // From the start-up's first step to its last: the window takes no commands meanwhile.
  bool startingUp = false;
  // The range change delay window and its progress, 0..30 seconds.
  bool rangeDelayVisible = false;
  int rangeDelaySeconds = 0;
  // The three input labels under the graph (the third shows "Paused" at a segment end).
  std::array<std::string, 3> inputLabels{"DIRECT", "", ""};
  std::string unitLabel = "dBuV";
  // Inputs: the dBm button (Button5) is enabled, and the rows the last TEM cell file gave
  // (Label17).
  bool dbmButtonEnabled = true;
  std::string cellRowsText;
  // File: Save (Save1) is enabled by the first save since the program started.
  bool saveEnabled = false;
  bool operator==(const WindowModel&) const = default;
};

enum class PointerShape { Default, HorizontalSplit, NoDrop, Cross };

// What the values window shows: Label10 and Label5..Label8.
struct ValueTexts {
  std::string frequency;
  std::string current;
  std::string difference;
  std::string store;
  std::string archive;
  bool operator==(const ValueTexts&) const = default;
};

// The core's hold on the main window.
class MainView {
 public:
  virtual ~MainView() = default;
  // The controls re-read the window model and the measurement state.
  virtual void modelChanged() = 0;
  // The whole client area is repainted.
  virtual void repaint() = 0;
  // The small "TQ4800 Message" window used for welcome and busy texts.
  virtual void showMessageWindow(const std::string& text) = 0;
  virtual void hideMessageWindow() = 0;
  // Moves the message window 10 pixels right of and below the main window's corner.
  virtual void placeMessageWindow() = 0;
  // Closes the main window, which asks the close question first.
  virtual void closeMainWindow() = 0;
  // The platform's default beep.
  virtual void beep() {}
  // Draws one segment of a trace (kind 1 Current .. 5 single frequency) up to point n as
  // the point arrives, without repainting the rest.
  virtual void plotPoint(int kind, int n) = 0;
  // The mouse pointer over the graph.
  virtual void setPointerShape(PointerShape) {}
  // The values window: shown, hidden, and the values it shows.
  virtual void showValuesWindow() {}
  virtual void hideValuesWindow() {}
  virtual void showValues(const ValueTexts&) {}
  // Single frequency: the settings dialog opens once the pick that asked for it is handled.
  virtual void openSingleFrequencySettings() {}
};

}  // namespace tq
