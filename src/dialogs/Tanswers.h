#pragma once

#include <QDialog>
#include "model/WindowModel.h"

class QLabel;

namespace tq {

// Told when the user closes the values window.
class ValuesWindowOwner {
 public:
  virtual ~ValuesWindowOwner() = default;
  virtual void valuesWindowClosed() = 0;
};

// The values window "Values dBuV": the cursor frequency and the four traces' values there.
// It stays on top of the main window without taking the keyboard from it.
class Tanswers : public QDialog {
 public:
  Tanswers(QWidget* parent, ValuesWindowOwner& owner);

  void showValues(const ValueTexts& values);

  QLabel* label(const char* name) const;

 protected:
  void reject() override;

 private:
  ValuesWindowOwner& owner_;
  QLabel* label10_;
  QLabel* label5_;
  QLabel* label6_;
  QLabel* label7_;
  QLabel* label8_;
};

}  // namespace tq
