#pragma once

#include <string>
#include <string_view>

#include "link/UsbAdapter.h"

namespace tq {

// What the Details window shows and edits.
struct DetailsValues {
  std::string delimiter;
  std::string defaultPath;
  std::string versionText;  // empty until the analyser reported its version
  UsbDetails usb;           // what the start-up search for USB adapters found
};

// The Details window's rules. The delimiter field gives its first character; a blank (or
// nothing) gives ";".
std::string DelimiterFromField(std::string_view field);
// A delimiter field of exactly one blank is reported as "Invalid delimitor".
inline bool IsInvalidDelimiterField(std::string_view field) {
  return field == " ";
}
// The path field (at most 128 characters) with a trailing backslash, cut to 64 characters.
std::string DefaultPathFromField(std::string_view field);

}  // namespace tq
