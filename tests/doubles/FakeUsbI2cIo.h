#pragma once

#include <cstdint>
#include <cstdio>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "platform/Ticks.h"
#include "platform/UsbI2cIo.h"

namespace tq::test {

// An adapter library whose answers the test sets, recording what it was given.
class FakeUsbI2cIo : public UsbI2cIo {
 public:
  std::map<int, std::int32_t> handles;          // instance -> handle; others are absent
  std::map<std::int32_t, std::uint32_t> lines;  // handle -> I/O port reading
  std::string serial = "SN-0001";
  bool serialOk = true;
  int configResult = 1;
  std::deque<int> writeResults;  // results of the next writes; empty: the count
  struct Read {
    int result = 16;
    std::vector<std::uint8_t> bytes;  // into the record, the rest zero
  };
  std::deque<Read> reads;  // the next reads; empty: 16 zero bytes

  std::vector<I2cTransaction> written;
  const Ticks* clock = nullptr;  // when set, each write's time is kept
  std::vector<double> writtenAtMs;
  std::vector<std::uint32_t> configMasks;
  int readCalls = 0;

  std::int32_t DAPI_OpenDeviceInstance(std::string_view name, int instance) override {
    const auto h = handles.find(instance);
    return name == "UsbI2cIo" && h != handles.end() ? h->second : -1;
  }
  int DAPI_GetSerialId(std::int32_t, std::span<char> buffer) override {
    if (!serialOk) return 0;
    for (std::size_t i = 0; i < buffer.size(); ++i) buffer[i] = i < serial.size() ? serial[i] : 0;
    return 1;
  }
  int DAPI_ConfigIoPorts(std::int32_t, std::uint32_t mask) override {
    configMasks.push_back(mask);
    return configResult;
  }
  std::uint32_t DAPI_ReadIoPorts(std::int32_t handle, std::uint32_t& value) override {
    value = lines.count(handle) ? lines[handle] : 0;
    return value;
  }
  int DAPI_WriteI2c(std::int32_t, const I2cTransaction& record) override {
    written.push_back(record);
    if (clock) writtenAtMs.push_back(clock->nowMs());
    if (writeResults.empty()) return record.count;
    const int r = writeResults.front();
    writeResults.pop_front();
    return r;
  }
  int DAPI_ReadI2c(std::int32_t, I2cTransaction& record) override {
    ++readCalls;
    record.data.fill(0);
    if (reads.empty()) return record.count;
    const Read r = reads.front();
    reads.pop_front();
    for (std::size_t i = 0; i < r.bytes.size() && i < record.data.size(); ++i)
      record.data[i] = r.bytes[i];
    return r.result;
  }

  // The frames written, as "07 40 00 00 FF 00 00 04".
  std::vector<std::string> writtenHex() const {
    std::vector<std::string> out;
    for (const I2cTransaction& t : written) {
      std::string s;
      for (std::size_t i = 0; i < t.count && i < t.data.size(); ++i) {
        char b[4];
        std::snprintf(b, sizeof b, "%s%02X", i ? " " : "", t.data[i]);
        s += b;
      }
      out.push_back(s);
    }
    return out;
  }
};

// An adapter reply of 8 bytes: 07, code, 00, 00, 00, b5, b6, 04.
inline std::vector<std::uint8_t> AdapterReply(std::uint8_t code, std::uint8_t b5,
                                              std::uint8_t b6 = 0) {
  return {0x07, code, 0x00, 0x00, 0x00, b5, b6, 0x04};
}

}  // namespace tq::test
