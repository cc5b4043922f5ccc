#pragma once

// A byte-level stand-in for the program's end of the line: builds command frames by hand
// and splits what comes back into messages, so the simulator is checked on its own terms.

#include <cstdint>
#include <vector>

#include "SimulatedLink.h"
#include "doubles/VirtualTicks.h"

namespace tq::sim::test {

using Bytes = std::vector<std::uint8_t>;

// SOH N code data EOT, data = value big-endian without leading zeros, padded to minBytes.
inline Bytes command(std::uint8_t code, std::int32_t value = 0, int minBytes = 0) {
  Bytes data;
  for (auto u = static_cast<std::uint32_t>(value); value > 0 && u != 0; u >>= 8) {
    data.insert(data.begin(), static_cast<std::uint8_t>(u & 0xFF));
  }
  while (static_cast<int>(data.size()) < minBytes) data.insert(data.begin(), 0x00);
  Bytes frame{0x01, static_cast<std::uint8_t>(data.size() + 2), code};
  frame.insert(frame.end(), data.begin(), data.end());
  frame.push_back(0x04);
  return frame;
}

struct DataPoint {
  std::uint8_t stepStatus;
  std::int32_t hz;
  std::uint16_t raw;
  double dbuv() const { return raw * 0.068493 + 20.0; }
};

inline bool isData(const Bytes& m) {
  return m.size() == 11 && m[0] == 0x01 && m[2] == 0xD0;
}

inline DataPoint decodeData(const Bytes& m) {
  const std::uint32_t hz =
      (std::uint32_t{m[4]} << 24) | (std::uint32_t{m[5]} << 16) | (std::uint32_t{m[6]} << 8) | m[7];
  return {m[3], static_cast<std::int32_t>(hz), static_cast<std::uint16_t>((m[8] << 8) | m[9])};
}

// These checks start from an analyser that came up in the LOW range.
inline AnalyserOptions LowRange(AnalyserOptions o = {}) {
  o.startHighRange = false;
  return o;
}

class Harness {
 public:
  explicit Harness(AnalyserOptions analyser = {}, PortOptions port = {false})
      : link(ticks, LowRange(analyser), port) {
    link.port.open(1);
    link.port.setBytesAvailableHandler([this](std::size_t) {
      Bytes chunk(link.port.bytesAvailable());
      chunk.resize(link.port.read(chunk));
      chunks.push_back(chunk);
      chunkTimes.push_back(ticks.nowMs());
      pending.insert(pending.end(), chunk.begin(), chunk.end());
    });
  }

  void send(const Bytes& bytes) { link.port.write(bytes); }
  void send(std::uint8_t code, std::int32_t value = 0, int minBytes = 0) {
    send(command(code, value, minBytes));
  }
  void ack() { send(Bytes{0x06}); }
  void run(double ms) { ticks.advance(ms); }

  // Everything received since the last call, split into frames and single bytes.
  std::vector<Bytes> take() {
    std::vector<Bytes> messages;
    std::size_t i = 0;
    while (i < pending.size()) {
      if (pending[i] == 0x01 && i + 1 < pending.size() &&
          pending.size() >= i + pending[i + 1] + 2) {
        const std::size_t n = pending[i + 1] + 2u;
        messages.emplace_back(pending.begin() + i, pending.begin() + i + n);
        i += n;
      } else {
        messages.push_back({pending[i]});
        ++i;
      }
    }
    pending.clear();
    return messages;
  }

  // Frames only (ACKs dropped).
  std::vector<Bytes> takeFrames() {
    std::vector<Bytes> frames;
    for (Bytes& m : take()) {
      if (m.size() > 1) frames.push_back(std::move(m));
    }
    return frames;
  }

  // Status byte from a fresh status request (the last status frame: a sweep reports its
  // compression by status frames of its own); other messages stay pending.
  int status() {
    send(0x20);
    run(50);
    int status = -1;
    Bytes rest;
    for (const Bytes& m : take()) {
      if (m.size() == 5 && m[2] == 0xC0) {
        status = m[3];
      } else {
        rest.insert(rest.end(), m.begin(), m.end());
      }
    }
    pending = rest;
    return status;
  }

  // Acks every data frame until none comes for quietMs; returns the points in order.
  std::vector<DataPoint> ackAll(double quietMs = 100, int limit = 2000) {
    std::vector<DataPoint> points;
    for (int guard = 0; guard < limit; ++guard) {
      run(quietMs);
      bool got = false;
      for (const Bytes& m : take()) {
        if (!isData(m)) continue;
        points.push_back(decodeData(m));
        got = true;
      }
      if (!got) break;
      ack();
    }
    return points;
  }

  tq::test::VirtualTicks ticks;
  SimulatedLink link;
  SimulatedAnalyser& analyser() { return link.analyser; }
  SimulatedSerialPort& port() { return link.port; }
  std::vector<Bytes> chunks;
  std::vector<double> chunkTimes;
  Bytes pending;
};

}  // namespace tq::sim::test
