#pragma once

#include <vector>

#include "platform/HelpViewer.h"

namespace tq::test {

// Records the topics asked for.
class RecordingHelp : public HelpViewer {
 public:
  void ShowHelpTopic(int topic) override { topics.push_back(topic); }
  std::vector<int> topics;
};

}  // namespace tq::test
