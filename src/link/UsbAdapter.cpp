#include "link/UsbAdapter.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>

namespace tq {

namespace {

std::string_view Trimmed(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
    s.remove_suffix(1);
  return s;
}

std::string Upper(std::string_view s) {
  std::string u(s);
  for (char& c : u) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return u;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return (c >= 'A' && c <= 'F') ? c - 'A' + 10 : 0;
}

constexpr std::string_view kRelayLowFrame = "07,40,00,00,00,00,00,04";
constexpr std::string_view kRelayHighFrame = "07,40,00,00,FF,00,00,04";
constexpr std::string_view kRelayReportFrame = "03,22,00,04";
constexpr int kMaxDeviceTypes = 21;
constexpr int kShownSerialCharacters = 21;

}  // namespace

std::vector<UsbDeviceType> ParseUsbDeviceList(std::string_view text) {
  std::vector<UsbDeviceType> types;
  int lineNumber = 0;
  while (!text.empty() && static_cast<int>(types.size()) < kMaxDeviceTypes) {
    const auto end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    if (++lineNumber <= 3) continue;
    while (line.size() > 5 && line.front() == ' ') line.remove_prefix(1);
    const auto comma = line.find(',');
    if (comma == std::string_view::npos) continue;
    const std::string_view field1 = Trimmed(line.substr(0, comma));
    std::string_view field2 = line.substr(comma + 1);
    field2 = Trimmed(field2.substr(0, field2.find(',')));
    int identity = 0;
    const auto [ptr, ec] = std::from_chars(field1.data(), field1.data() + field1.size(), identity);
    if (field1.empty() || ec != std::errc() || ptr != field1.data() + field1.size() ||
        identity < 0 || identity > 255)
      continue;
    types.push_back({static_cast<std::uint8_t>(identity), std::string(field2)});
  }
  return types;
}

I2cTransaction HexFrameRecord(std::string_view text) {
  I2cTransaction record;
  std::size_t n = 0;
  for (std::size_t at = 0; at < text.size() && n < record.data.size(); at += 3) {
    const char hi = text[at];
    const char lo = at + 1 < text.size() ? text[at + 1] : '0';
    record.data[n++] = static_cast<std::uint8_t>(HexDigit(hi) * 16 + HexDigit(lo));
  }
  record.count = static_cast<std::uint16_t>(n);
  return record;
}

UsbAdapter::UsbAdapter(MeasurementState& state, UsbI2cIo& io, Ticks& ticks, Prompts& prompts,
                       Files& files, const InputCorrections& inputs, AdapterClient& client)
    : state_(state),
      io_(io),
      ticks_(ticks),
      prompts_(prompts),
      files_(files),
      inputs_(inputs),
      client_(client) {
  relayFault_ = ticks_.createTimer(500, [this] { relayfaultTimer(); });
}

bool UsbAdapter::InUse() const {
  return inputs_.InputCode() == 12;
}

void UsbAdapter::DetectUsbAdapter() {
  const std::optional<std::string> list = files_.readAll(DeviceListPath());
  if (!list) {
    state_.usbLinkOk = false;
    return;
  }
  const std::vector<UsbDeviceType> types = ParseUsbDeviceList(*list);
  details_.devices.clear();
  state_.usbDeviceHandle = 0;
  bool identified = false;
  for (int instance = 20; instance >= 0; --instance) {
    const std::int32_t handle = io_.DAPI_OpenDeviceInstance(kUsbI2cIoDeviceName, instance);
    if (handle < 0) continue;
    UsbDeviceRow row{instance, handle, {}};
    io_.DAPI_ConfigIoPorts(handle, kUsbIoPortMask);
    std::uint32_t lines = 0;
    io_.DAPI_ReadIoPorts(handle, lines);
    const auto identity = static_cast<std::uint8_t>(lines & 0xFC);
    // With several adapters the first NX100 or NX200 found is the one used.
    if (!identified) state_.usbDeviceHandle = handle;
    const auto type = std::find_if(types.begin(), types.end(),
                                   [&](const UsbDeviceType& t) { return t.identity == identity; });
    if (type != types.end() && handle > 0) {
      row.description = type->name;
      const std::string name = Upper(type->name);
      if (!identified && (name == "NX100" || name == "NX200")) {
        state_.usbHardware = true;
        state_.usbDeviceHandle = handle;
        identified = true;
      }
    }
    details_.devices.push_back(std::move(row));
  }

  if (state_.usbDeviceHandle <= 0) {
    state_.usbLinkOk = false;
    ReportAdapterFault(3);
    return;
  }
  std::array<char, 64> serial{};
  std::string id;
  if (io_.DAPI_GetSerialId(state_.usbDeviceHandle, serial) == 0) {
    ReportAdapterFault(1);
  } else {
    const auto end = std::find(serial.begin(), serial.begin() + kShownSerialCharacters, '\0');
    id.assign(serial.begin(), end);
  }
  details_.serialText = "Hardware ID : " + id;
  if (io_.DAPI_ConfigIoPorts(state_.usbDeviceHandle, kUsbIoPortMask) == 0) {
    state_.usbLinkOk = false;
    ReportAdapterFault(3);
    return;
  }
  WriteHexFrame("03,31,00,04");
  ticks_.wait(5);
  state_.usbLinkOk = true;
  WriteHexFrame("03,3E,A5,04");
  ticks_.wait(5);
  WriteHexFrame("03,20,00,04");
  ticks_.wait(5);
  PollAdapter();
}

void UsbAdapter::WriteHexFrame(std::string_view text) {
  const I2cTransaction record = HexFrameRecord(text);
  if (io_.DAPI_WriteI2c(state_.usbDeviceHandle, record) != record.count) ReportAdapterFault(6);
}

void UsbAdapter::PollAdapter() {
  if (!state_.usbHardware) return;
  I2cTransaction record;
  record.count = AdapterRing::kRead;
  ticks_.wait(1);
  if (io_.DAPI_ReadI2c(state_.usbDeviceHandle, record) != static_cast<int>(AdapterRing::kRead))
    return;
  ring_.Append(
      std::span<const std::uint8_t, AdapterRing::kRead>(record.data.data(), AdapterRing::kRead));
  while (const std::optional<AdapterMessage> message = ring_.Next()) handleMessage(*message);
}

void UsbAdapter::handleMessage(const AdapterMessage& message) {
  if (message.code == 0xC0) {
    details_.hardwareText = "USB Hardware Version " + std::to_string(message.byte5) + "." +
                            std::to_string(message.byte6);
  } else if (message.code == 0xC3) {
    checkRelay(message.byte5);
  }
}

void UsbAdapter::checkRelay(std::uint8_t report) {
  const bool low = (report & 0x40) != 0;
  const bool high = (report & 0x80) != 0;
  if (low != high && low == relayLow_) return;
  prompts_.message(MessageKind::Warning, "Range Relay Error! Run Cancelled.", Buttons::Ok);
  // Before the first point the run is still being set up: it is stopped a little later.
  if (state_.runInProgress && state_.stepIndex > 0)
    client_.StopRun();
  else
    relayFault_->setEnabled(true);
}

void UsbAdapter::relayfaultTimer() {
  relayFault_->setEnabled(false);
  if (state_.runInProgress) client_.StopRun();
}

void UsbAdapter::SetOstrocellRelay(std::int32_t frequencyHz) {
  if (!InUse()) return;
  if (frequencyHz < SwitchFrequencyHz() && !relayLow_)
    commandRelay(true);
  else if (frequencyHz > SwitchFrequencyHz() && relayLow_)
    commandRelay(false);
}

void UsbAdapter::commandRelay(bool low) {
  relayLow_ = low;
  if (!state_.usbHardware) {
    prompts_.message(MessageKind::Warning,
                     low ? "Ensure Ostrocell Range Switch is Set to LOW"
                         : "Ensure Ostrocell Range Switch is Set to High",
                     Buttons::Ok);
    return;
  }
  WriteHexFrame(low ? kRelayLowFrame : kRelayHighFrame);
  ticks_.wait(18);
  WriteHexFrame(kRelayReportFrame);
  PollAdapter();
}

void UsbAdapter::ReportAdapterFault(int code) {
  static constexpr std::array<const char*, 8> kTexts{
      "",           "Serial Number Not Found", "Write Error",     "Configuration Error",
      "Read Error", "Closing Error",           "I2C Write Error", "I2C Read Error"};
  const char* text = (code >= 0 && code < 8) ? kTexts[static_cast<std::size_t>(code)] : "";
  if (usbFaultCount_ < 3) {
    prompts_.message(MessageKind::Warning,
                     std::string("Zedivev Fault : ") + text + " #" + std::to_string(usbFaultCount_),
                     Buttons::Ok);
  } else {
    state_.usbLinkOk = false;
  }
  ++usbFaultCount_;
}

}  // namespace tq
