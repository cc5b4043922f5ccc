// The USB-I2C transport against an adapter library whose answers the test sets.
#include "link/UsbAdapter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "doubles/FakeFeatures.h"
#include "doubles/FakeUsbI2cIo.h"
#include "doubles/ScriptedPrompts.h"
#include "doubles/VirtualTicks.h"
#include "platform/HostFiles.h"

namespace tq {
namespace {

namespace fs = std::filesystem;
using test::AdapterReply;
using test::FakeUsbI2cIo;

constexpr const char* kLowFrame = "07 40 00 00 00 00 00 04";
constexpr const char* kHighFrame = "07 40 00 00 FF 00 00 04";
constexpr const char* kReportFrame = "03 22 00 04";

class UsbAdapterTest : public ::testing::Test, public AdapterClient {
 protected:
  UsbAdapterTest()
      : root_(fs::temp_directory_path() /
              ("tq_usb_" +
               std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()))),
        files_(root_) {
    fs::create_directories(root_ / "drive_c" / "tq4800");
    files_.writeAll("c:\\tq4800\\VeltraneUSB.TXT",
                    "Veltrane\r\nIdentity,Name\r\n---\r\n100,NX100\r\n200,NX200\r\n16,Other\r\n");
    inputs_.code = 12;
  }
  ~UsbAdapterTest() override { fs::remove_all(root_); }

  void StopRun() override { ++stops_; }

  // A transport of its own, on the fixture's files and ticks.
  struct Rig {
    Rig(UsbAdapterTest& t) : usb(state, io, t.ticks_, prompts, t.files_, t.inputs_, t) {
      state.defaultPath = "c:\\tq4800\\";
      state.ostrocellSelection = 1;
    }
    // An NX200 found at start-up.
    void identified() {
      state.usbHardware = state.usbLinkOk = true;
      state.usbDeviceHandle = 7;
    }
    MeasurementState state;
    FakeUsbI2cIo io;
    test::ScriptedPrompts prompts;
    UsbAdapter usb;
  };

  fs::path root_;
  HostFiles files_;
  test::VirtualTicks ticks_;
  test::FakeInputs inputs_;
  int stops_ = 0;
};

TEST_F(UsbAdapterTest, RelayFramesFollowTheChangeoverFrequency) {
  Rig r(*this);
  r.identified();
  r.usb.PresetForRun(30000000);
  struct Step {
    std::int32_t hz;
    std::vector<std::string> frames;
    bool low;
  };
  const Step steps[] = {
      {30000000, {kLowFrame, kReportFrame}, true},  // the first command of a run goes out
      {100000000, {}, true},                        // already low
      {200000000, {}, true},                        // the changeover itself leaves the relay
      {200000001, {kHighFrame, kReportFrame}, false},
      {200000000, {}, false},
      {1100000000, {}, false},
      {199999999, {kLowFrame, kReportFrame}, true},
  };
  for (const Step& s : steps) {
    r.io.written.clear();
    const long long waited = ticks_.ticksWaited();
    const int reads = r.io.readCalls;
    r.usb.SetForFrequency(s.hz);
    EXPECT_EQ(r.io.writtenHex(), s.frames) << s.hz;
    EXPECT_EQ(ticks_.ticksWaited() - waited, s.frames.empty() ? 0 : 18 + 1) << s.hz;
    EXPECT_EQ(r.io.readCalls - reads, s.frames.empty() ? 0 : 1) << s.hz;
    EXPECT_EQ(r.usb.relayLow(), s.low) << s.hz;
  }
  // The frame as the library gets it: type 0, slave 0x9A, memory address 0, 8 bytes.
  const I2cTransaction& low = r.io.written[0];
  EXPECT_EQ(std::tuple(low.type, low.slaveAddress, low.memoryAddress, low.count),
            std::tuple(0, 0x9A, 0, 8));
  EXPECT_TRUE(r.prompts.messages().empty());
}

TEST_F(UsbAdapterTest, WithoutTheAdapterTheUserSetsTheSwitchAndOtherInputsLeaveIt) {
  Rig r(*this);
  r.usb.SetForFrequency(30000000);
  r.usb.SetForFrequency(300000000);
  EXPECT_EQ(r.prompts.messages(),
            (std::vector<std::string>{"Ensure Ostrocell Range Switch is Set to LOW",
                                      "Ensure Ostrocell Range Switch is Set to High"}));
  EXPECT_EQ(r.prompts.asked()[0].kind, MessageKind::Warning);
  EXPECT_TRUE(r.io.written.empty());

  // The relay follows the Ostrocell input whatever the cell selection; other inputs leave it.
  r.prompts.clear();
  r.state.ostrocellSelection = 0;
  r.usb.SetForFrequency(30000000);
  EXPECT_EQ(r.prompts.messages(),
            std::vector<std::string>{"Ensure Ostrocell Range Switch is Set to LOW"});
  r.prompts.clear();
  inputs_.code = 8;  // Direct
  r.usb.SetForFrequency(300000000);
  EXPECT_TRUE(r.prompts.messages().empty());
  EXPECT_FALSE(r.usb.InUse());
}

TEST_F(UsbAdapterTest, RelayReportsAreCheckedAgainstTheLastCommand) {
  struct Case {
    bool low;
    std::uint8_t report;
    bool correct;
  };
  const Case cases[] = {
      {true, 0x40, true},   {true, 0xC0, false}, {true, 0x80, false},  {true, 0x00, false},
      {true, 0x43, true},   {false, 0x80, true}, {false, 0x40, false}, {false, 0xC0, false},
      {false, 0x00, false}, {false, 0xBF, true},
  };
  Rig r(*this);
  r.identified();
  for (const Case& c : cases) {
    r.prompts.clear();
    r.usb.PresetForRun(c.low ? 300000000 : 30000000);
    r.io.reads.push_back({16, AdapterReply(0xC3, c.report)});
    r.usb.PollAdapter();
    EXPECT_EQ(r.prompts.messages().empty(), c.correct) << int(c.low) << " " << int(c.report);
    if (!c.correct) {
      EXPECT_EQ(r.prompts.messages()[0], "Range Relay Error! Run Cancelled.");
    }
  }
}

TEST_F(UsbAdapterTest, ARelayFaultStopsTheRunAtOnceOrOnceTheRunIsUnderWay) {
  Rig r(*this);
  r.identified();
  r.usb.PresetForRun(30000000);  // relay high expected; low reports are wrong
  const auto badReport = [&] {
    r.io.reads.push_back({16, AdapterReply(0xC3, 0x40)});
    r.usb.PollAdapter();
  };
  // Past the first step: at once.
  r.state.runInProgress = true;
  r.state.stepIndex = 5;
  badReport();
  EXPECT_EQ(stops_, 1);
  EXPECT_FALSE(r.usb.relayFaultPending());

  // While the sweep is being set up: half a second later.
  r.state.stepIndex = 0;
  badReport();
  EXPECT_EQ(stops_, 1);
  EXPECT_TRUE(r.usb.relayFaultPending());
  ticks_.advance(450);
  EXPECT_EQ(stops_, 1);
  ticks_.advance(100);
  EXPECT_EQ(stops_, 2);
  EXPECT_FALSE(r.usb.relayFaultPending());

  // A run that ended meanwhile is left alone.
  badReport();
  r.state.runInProgress = false;
  ticks_.advance(600);
  EXPECT_EQ(stops_, 2);
  EXPECT_FALSE(r.usb.relayFaultPending());
}

TEST_F(UsbAdapterTest, FaultsAreNumberedAndTheFourthIsSilentAndDisablesTheLink) {
  Rig r(*this);
  r.identified();
  r.io.writeResults = {0, 3, 9, -1};
  for (int i = 0; i < 3; ++i) r.usb.WriteHexFrame("03,20,00,04");
  EXPECT_TRUE(r.state.usbLinkOk);
  r.usb.WriteHexFrame("03,20,00,04");
  EXPECT_FALSE(r.state.usbLinkOk);
  EXPECT_EQ(r.prompts.messages(), (std::vector<std::string>{"Zedivev Fault : I2C Write Error #0",
                                                            "Zedivev Fault : I2C Write Error #1",
                                                            "Zedivev Fault : I2C Write Error #2"}));
  EXPECT_EQ(r.usb.faultCount(), 4);

  Rig other(*this);
  other.usb.ReportAdapterFault(1);
  other.usb.ReportAdapterFault(0);
  other.usb.ReportAdapterFault(7);
  EXPECT_EQ(other.prompts.messages(),
            (std::vector<std::string>{"Zedivev Fault : Serial Number Not Found #0",
                                      "Zedivev Fault :  #1", "Zedivev Fault : I2C Read Error #2"}));
}

TEST_F(UsbAdapterTest, APollTakesOnlySixteenBytesAndOnlyFromAnIdentifiedAdapter) {
  Rig r(*this);
  r.usb.PollAdapter();
  EXPECT_EQ(r.io.readCalls, 0);
  r.identified();
  r.usb.PresetForRun(30000000);
  for (int result : {-1, 0, 15, 17, 64, 65535}) {
    r.io.reads.push_back({result, AdapterReply(0xC3, 0x40)});
    r.usb.PollAdapter();
    EXPECT_EQ(r.usb.ring().writePosition(), 0u) << result;
  }
  EXPECT_EQ(r.io.readCalls, 6);
  EXPECT_TRUE(r.prompts.messages().empty());
  r.io.reads.push_back({16, AdapterReply(0xC0, 3, 12)});
  r.usb.PollAdapter();
  EXPECT_EQ(r.usb.details().hardwareText, "USB Hardware Version 3.12");
}

// What the adapter's replies hold, read straight through: a message is looked at once 11
// bytes from its start are in, and the next starts L + 1 bytes on.
std::vector<AdapterMessage> ReadStraight(const std::vector<std::uint8_t>& stream) {
  std::vector<AdapterMessage> out;
  for (std::size_t at = 0; at + 11 <= stream.size(); at += stream[at] + 1u)
    out.push_back({stream[at], stream[at + 1], stream[at + 5], stream[at + 6]});
  return out;
}

TEST(AdapterRing, HoldsWhateverTheAdapterAnswersWithinItselfAndLosesNoMessage) {
  std::mt19937 random(4800);
  const auto bytes = [&](std::size_t n, auto make) {
    std::vector<std::uint8_t> s;
    while (s.size() < n) make(s);
    s.resize(n);
    return s;
  };
  const auto anyByte = [&](std::vector<std::uint8_t>& s) {
    s.push_back(static_cast<std::uint8_t>(random()));
  };
  const auto reports = [&](std::vector<std::uint8_t>& s) {
    const auto length = static_cast<std::uint8_t>(6 + random() % 15);
    s.push_back(length);
    s.push_back(random() % 2 ? 0xC0 : 0xC3);
    for (int i = 1; i < length; ++i) s.push_back(static_cast<std::uint8_t>(random()));
  };
  struct Case {
    const char* name;
    std::vector<std::uint8_t> stream;
  };
  const Case cases[] = {
      {"reports of 7 to 21 bytes", bytes(24000, reports)},
      {"noise", bytes(24000, anyByte)},
      {"every length 255", std::vector<std::uint8_t>(24000, 0xFF)},
      {"every length 0", std::vector<std::uint8_t>(24000, 0x00)},
      {"11-byte messages", bytes(24000,
                                 [](auto& s) {
                                   s.insert(s.end(), {10, 0xC3, 0, 0, 0, 0x40, 0, 0, 0, 0, 4});
                                 })},
      {"one reply a read, zero-padded",
       bytes(24000,
             [](auto& s) {
               s.insert(s.end(), {7, 0xC3, 0, 0, 0, 0x80, 0, 4, 0, 0, 0, 0, 0, 0, 0, 0});
             })},
  };
  for (const Case& c : cases) {
    AdapterRing ring;
    std::vector<AdapterMessage> got;
    for (std::size_t at = 0; at + 16 <= c.stream.size(); at += 16) {
      ring.Append(std::span<const std::uint8_t, 16>(c.stream.data() + at, 16));
      while (auto m = ring.Next()) got.push_back(*m);
      ASSERT_LE(ring.readPosition(), ring.writePosition()) << c.name;
      ASSERT_LE(ring.writePosition(), AdapterRing::kSize) << c.name;
    }
    const auto want = ReadStraight(c.stream);
    ASSERT_EQ(got.size(), want.size()) << c.name;
    for (std::size_t i = 0; i < got.size(); ++i) {
      ASSERT_EQ(got[i].length, want[i].length) << c.name << " message " << i;
      ASSERT_EQ(got[i].code, want[i].code) << c.name << " message " << i;
      ASSERT_EQ(got[i].byte5, want[i].byte5) << c.name << " message " << i;
      ASSERT_EQ(got[i].byte6, want[i].byte6) << c.name << " message " << i;
    }
  }
}

TEST(UsbDeviceList, ThreeHeaderLinesThenIdentityAndName) {
  const auto types = ParseUsbDeviceList(
      "200,HEADER\r\nx\r\ny\r\n"
      "100,NX100\r\n"
      "    200 , nx200 ,spare\n"
      "abc,NX300\r\n"
      "300,TOOBIG\r\n"
      "-4,NEGATIVE\r\n"
      "no comma\r\n"
      " 64,Other");
  ASSERT_EQ(types.size(), 3u);
  EXPECT_EQ(types[0].identity, 100);
  EXPECT_EQ(types[0].name, "NX100");
  EXPECT_EQ(types[1].identity, 200);
  EXPECT_EQ(types[1].name, "nx200");
  EXPECT_EQ(types[2].identity, 64);
  EXPECT_EQ(types[2].name, "Other");

  std::string many = "a\r\nb\r\nc\r\n";
  for (int i = 0; i < 30; ++i) many += std::to_string(4 * i) + ",T" + std::to_string(i) + "\r\n";
  EXPECT_EQ(ParseUsbDeviceList(many).size(), 21u);
}

// The start-up search against the simulated NX200 is a scenario test; these are the cases it
// cannot show: several adapters, and the library refusing.
TEST_F(UsbAdapterTest, DetectionListsEveryInstanceAndUsesTheNxAdapter) {
  using Rows = std::vector<std::tuple<int, std::int32_t, std::string>>;
  struct Case {
    const char* name;
    std::map<int, std::int32_t> handles;
    bool serialOk, configOk;
    Rows rows;
    std::int32_t handle;
    bool linked;
    std::vector<std::string> messages;
  };
  const std::map<std::int32_t, std::uint32_t> lines{{30, 0x13}, {31, 0x64}, {32, 0xFC}, {0, 0xC8}};
  const Case cases[] = {
      {"an unlisted adapter, an NX100 and an unknown one",
       {{9, 30}, {2, 31}, {1, 32}},
       true,
       true,
       {{9, 30, "Other"}, {2, 31, "NX100"}, {1, 32, ""}},
       31,
       true,
       {}},
      {"none", {}, true, true, {}, 0, false, {"Zedivev Fault : Configuration Error #0"}},
      {"handle 0",
       {{0, 0}},
       true,
       true,
       {{0, 0, ""}},
       0,
       false,
       {"Zedivev Fault : Configuration Error #0"}},
      {"no serial",
       {{2, 31}},
       false,
       true,
       {{2, 31, "NX100"}},
       31,
       true,
       {"Zedivev Fault : Serial Number Not Found #0"}},
      {"ports refuse",
       {{2, 31}},
       true,
       false,
       {{2, 31, "NX100"}},
       31,
       false,
       {"Zedivev Fault : Configuration Error #0"}},
  };
  for (const Case& c : cases) {
    Rig r(*this);
    r.io.handles = c.handles;
    r.io.lines = lines;
    r.io.serialOk = c.serialOk;
    r.io.configResult = c.configOk ? 1 : 0;
    r.io.serial = std::string(80, 'S');  // fills the buffer without a NUL
    r.io.clock = &ticks_;
    const long long waited = ticks_.ticksWaited();
    r.usb.DetectUsbAdapter();
    Rows rows;
    for (const UsbDeviceRow& d : r.usb.details().devices)
      rows.emplace_back(d.instance, d.handle, d.description);
    EXPECT_EQ(rows, c.rows) << c.name;
    EXPECT_EQ(r.state.usbDeviceHandle, c.handle) << c.name;
    EXPECT_EQ(r.state.usbLinkOk, c.linked) << c.name;
    EXPECT_EQ(r.prompts.messages(), c.messages) << c.name;
    // 31, 3E A5 and the status request, each followed by 5 ticks, then a poll.
    const std::vector<std::string> startFrames{"03 31 00 04", "03 3E A5 04", "03 20 00 04"};
    EXPECT_EQ(r.io.writtenHex(), c.linked ? startFrames : std::vector<std::string>{}) << c.name;
    for (std::size_t i = 1; i < r.io.writtenAtMs.size(); ++i)
      EXPECT_DOUBLE_EQ(r.io.writtenAtMs[i] - r.io.writtenAtMs[i - 1], 5 * kTickMs) << c.name;
    EXPECT_EQ(ticks_.ticksWaited() - waited, c.linked ? 5 * 3 + 1 : 0) << c.name;
    for (std::uint32_t mask : r.io.configMasks) EXPECT_EQ(mask, 0x000F00FCu) << c.name;
    if (c.linked) {
      EXPECT_EQ(r.usb.details().serialText,
                "Hardware ID : " + std::string(c.serialOk ? 21 : 0, 'S'))
          << c.name;
    }
  }

  // Without the device list nothing is opened.
  fs::remove(root_ / "drive_c" / "tq4800" / "VeltraneUSB.TXT");
  Rig r(*this);
  r.io.handles = {{0, 7}};
  r.state.usbLinkOk = true;
  r.usb.DetectUsbAdapter();
  EXPECT_FALSE(r.state.usbLinkOk);
  EXPECT_TRUE(r.usb.details().devices.empty());
}

}  // namespace
}  // namespace tq
