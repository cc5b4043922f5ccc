#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "corrections/LimitFiles.h"
#include "doubles/RecordingView.h"
#include "doubles/ScriptedPrompts.h"
#include "model/MeasurementState.h"
#include "model/WindowModel.h"
#include "platform/HostFiles.h"

namespace tq::test {

// The active limit over a data root of its own that holds the shipped limit files, with the
// default path c:\tq4800\.
class LimitTest : public ::testing::Test {
 protected:
  struct Client : LimitClient {
    int refreshes = 0;
    float distanceM = 3.0f;
    void RefreshLimitTrace() override { ++refreshes; }
    float MeasuringDistanceM() const override { return distanceM; }
  };

  LimitTest()
      : root_(std::filesystem::temp_directory_path() /
              ("tq_limits_" +
               std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()))),
        files_(root_),
        limits_(state_, model_, view_, files_, prompts_, client_) {
    std::filesystem::remove_all(root_);
    files_.installShippedData(TQ_SOURCE_DATA_DIR);
    state_.defaultPath = "c:\\tq4800\\";
    state_.detector = 1;
  }
  ~LimitTest() override { std::filesystem::remove_all(root_); }

  // A file in the program's folder, written as given.
  void write(const std::string& name, const std::string& text) {
    std::ofstream(files_.resolve("C:\\tq4800\\" + name), std::ios::binary) << text;
  }
  void remove(const std::string& name) {
    std::filesystem::remove(files_.resolve("C:\\tq4800\\" + name));
  }
  std::string read(const std::string& name) {
    return files_.readAll("C:\\tq4800\\" + name).value_or("");
  }
  const LimitTable& table() const { return limits_.Table(); }

  std::filesystem::path root_;
  MeasurementState state_;
  WindowModel model_;
  RecordingView view_;
  ScriptedPrompts prompts_;
  HostFiles files_;
  Client client_;
  LimitFiles limits_;
};

}  // namespace tq::test
