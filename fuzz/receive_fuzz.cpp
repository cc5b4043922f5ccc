// Feeds arbitrary bytes to the receive path in arbitrary read sizes, with the link flags
// and modem lines chosen by the input too.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "doubles/FakeSerialPort.h"
#include "doubles/RecordingView.h"
#include "doubles/ScriptedPrompts.h"
#include "doubles/VirtualTicks.h"
#include "link/Link.h"

namespace {

// The measurement above the link, checking what it is handed.
struct Client : tq::LinkClient {
  tq::MeasurementState* state = nullptr;
  tq::Link* link = nullptr;
  int preselector = 0;
  void DataFrameReceived(const tq::DataFrame& d) override {
    if (d.frequencyHz < 0 || state->stepIndex < 0 || state->stepIndex > 500) __builtin_trap();
    link->SendAck();
  }
  void PreselectorReport(int position, bool) override {
    if (position < 0 || position > 8) __builtin_trap();
  }
  void SegmentStep() override {}
  int PreselectorState() const override { return preselector; }
  void ResetPreselector() override {}
  void RangeMismatch() override {}
  bool ErsPeakSearch() const override { return false; }
  void StatusPolled() override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  tq::MeasurementState state;
  tq::WindowModel model;
  tq::test::RecordingView view;
  tq::test::FakeSerialPort port;
  tq::test::VirtualTicks ticks;
  tq::test::ScriptedPrompts prompts;
  Client client;
  tq::Link link(state, model, view, port, ticks, prompts, client);
  client.state = &state;
  client.link = &link;
  client.preselector = data[1] % 6;
  port.open(1);
  state.linkEnabled = true;
  state.runActive = (data[0] & 1) != 0;
  state.queueMode = (data[0] & 2) != 0;
  port.ctsHigh = (data[0] & 4) != 0;
  std::size_t pos = 2;
  while (pos < size) {
    const std::size_t chunk = 1 + data[pos] % 16;
    ++pos;
    std::vector<std::uint8_t> bytes(data + pos, data + std::min(size, pos + chunk));
    pos += bytes.size();
    port.deliver(bytes);
    if (link.receiveBufferSize() > 11) __builtin_trap();
    if ((chunk & 3) == 0) link.SendCommand(0x20, 0, 0);
    if ((chunk & 7) == 1) ticks.advance(1001);
  }
  return 0;
}
