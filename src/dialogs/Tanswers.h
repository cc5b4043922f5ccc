#pragma once

#include <QDialog>
#include <functional>

#include "view/GraphPointer.h"

class QLabel;

namespace tq {

// The values window "Values dBuV": the cursor frequency and the four traces' values there.
// It stays on top of the main window without taking the keyboard from it.
class Tanswers : public QDialog {
 public:
  explicit Tanswers(QWidget* parent);

  void showValues(const ValueTexts& values);
  // The window was closed by the user (Esc or its close box).
  std::function<void()> onClosed = [] {};

  QLabel* label(const char* name) const;

 protected:
  void reject() override;

 private:
  QLabel* label10_;
  QLabel* label5_;
  QLabel* label6_;
  QLabel* label7_;
  QLabel* label8_;
};

}  // namespace tq
