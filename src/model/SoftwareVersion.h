#pragma once

#include <string_view>

namespace tq {

// The version stamp: the first line of every result file, and the About box after
// "Software Version ".
inline constexpr std::string_view kSoftwareVersionStamp = "3.71 8th January 2005 ";

}  // namespace tq
