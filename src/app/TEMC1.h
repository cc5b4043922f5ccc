#pragma once

#include <QMainWindow>
#include <array>
#include <string>

#include "measure/WindowModel.h"

class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace tq {

class ClickPanel;
class GraphArea;
class Tscrncol;
class Lamp;
class Program;

// The main window. It holds the controls, forwards their events to the core and shows
// what the core's window model says.
class TEMC1 : public QMainWindow, public MainView {
 public:
  explicit TEMC1(QWidget* parent = nullptr);
  ~TEMC1() override;

  void attach(Program& program);

  // MainView
  void modelChanged() override;
  void repaint() override;
  void showMessageWindow(const std::string& text) override;
  void hideMessageWindow() override;
  void placeMessageWindow() override;
  void closeMainWindow() override;

  // Applies the layout of the current display size (done at every paint).
  void applyLayout();
  QWidget* messageWindow() const { return messageWindow_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void createMenus();
  void createControls();

  QPushButton* button(const char* name, const QString& caption, QWidget* parent, QRect geometry);
  QFrame* panel(const char* name, QWidget* parent, QRect geometry);

  Program* program_ = nullptr;
  QWidget* client_ = nullptr;
  GraphArea* graph_ = nullptr;
  Tscrncol* scrncol_ = nullptr;
  ClickPanel* panel5_ = nullptr;
  QLabel* label5_ = nullptr;
  Lamp* shape1_ = nullptr;
  QLabel* panel10Text_ = nullptr;
  QLabel* panel2Text_ = nullptr;
  QLabel* panel6Text_ = nullptr;
  QLabel* panel7Text_ = nullptr;
  QLabel* label2_ = nullptr;
  QLabel* label10_ = nullptr;
  QLineEdit* edit1_ = nullptr;
  QComboBox* comboBox1_ = nullptr;
  QComboBox* comboBox2_ = nullptr;
  QComboBox* comboBox3_ = nullptr;
  std::array<QAction*, 4> comItems_{};
  QAction* action(const char* name) const;
  QMenu* menu(const char* name) const;
  void createRunMenus();
  void connectControls();
  void showRangeDelay();
  QWidget* rangeDelay_ = nullptr;
  QAction* installErs_ = nullptr;
  QAction* clearErs_ = nullptr;
  QWidget* messageWindow_ = nullptr;
  QLabel* messageText_ = nullptr;
  int appliedSize_ = -1;
};

}  // namespace tq
