#pragma once

#include "model/DataFrame.h"

namespace tq {

// What the link hands on and asks of the measurement above it (the scan engine).
class LinkClient {
 public:
  virtual ~LinkClient() = default;
  // A data frame during a sweep or a single-frequency run; the client sends the ACK.
  virtual void DataFrameReceived(const DataFrame& frame) = 0;
  // NX91 report: position 0..8 and the automatic band selection flag.
  virtual void PreselectorReport(int position, bool automatic) = 0;
  // Status state code 2: the analyser waits at a pre-selector segment end.
  virtual void SegmentStep() = 0;
  // The scan engine's pre-selector state (0 off .. 5).
  virtual int PreselectorState() const = 0;
  // A reconnect forgets the pre-selector.
  virtual void ResetPreselector() = 0;
  // The analyser's range differs from the program's after a connect.
  virtual void RangeMismatch() = 0;
  // The ERS peak search is on (changes the texts of state 0 and compression).
  virtual bool ErsPeakSearch() const = 0;
  // The idle status poll went out.
  virtual void StatusPolled() = 0;
};

}  // namespace tq
