#pragma once

namespace tq {

// The help window: opens the topic with the number given (help::kContents for the
// contents) and brings it to the front.
class HelpViewer {
 public:
  virtual ~HelpViewer() = default;
  virtual void ShowHelpTopic(int topic) = 0;
};

}  // namespace tq
