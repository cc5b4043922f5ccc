#pragma once

#include <string_view>
#include <vector>

namespace tq {

inline constexpr int kKeep = -1;

// A control's place in the main window's client area; kKeep leaves a value as designed.
struct ControlPlacement {
  std::string_view name;
  int left = kKeep;
  int top = kKeep;
  int width = kKeep;
  int height = kKeep;
};

struct WindowLayout {
  int width = 0;
  int height = 0;
  bool moveToOrigin = false;  // the enlarged window sits at the screen's top-left corner
  int fontSize = 0;           // 0 leaves the font as designed
  std::vector<ControlPlacement> controls;
};

// The layout applied at each paint for display size 0, 1 or 2 (any other value as 0). Size 1
// is the normal layout in an 800 x 600 window, moved clear of its larger graph.
WindowLayout LayoutForDisplaySize(int displaySize);

}  // namespace tq
