#include "model/MeasurementState.h"

namespace tq {

void MeasurementState::clearLinkFlags() {
  portConnected = false;
  linkEnabled = false;
  sendingBlocked = false;
  runInProgress = false;
  runActive = false;
  queueMode = false;
  instrumentReady = false;
  usbHardware = false;
  usbLinkOk = false;
  usbDeviceHandle = 0;
  stepIndex = 0;
}

}  // namespace tq
