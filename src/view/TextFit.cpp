#include "view/TextFit.h"

namespace tq {

namespace {

constexpr std::string_view kEllipsis = "\xE2\x80\xA6";  // "…" in UTF-8

bool Continuation(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Drops one whole character (a UTF-8 sequence) from the given side.
void DropOne(std::string_view& s, Elide side) {
  if (side == Elide::End) {
    std::size_t n = s.size() - 1;
    while (n > 0 && Continuation(s[n])) --n;
    s = s.substr(0, n);
  } else {
    std::size_t n = 1;
    while (n < s.size() && Continuation(s[n])) ++n;
    s.remove_prefix(n);
  }
}

}  // namespace

Elide PanelElision(std::string_view text) {
  const std::size_t dot = text.find_last_of('.');
  if (dot == std::string_view::npos || dot == 0) return Elide::End;
  const std::string_view extension = text.substr(dot + 1);
  if (extension.empty() || extension.size() > 4) return Elide::End;
  for (char c : extension)
    if (c == ' ' || c == '\\' || c == '/') return Elide::End;
  return Elide::Start;
}

std::string FitText(std::string_view text, int room, Elide side, const TextWidth& width) {
  if (width(text) <= room) return std::string(text);
  std::string_view kept = text;
  while (!kept.empty()) {
    DropOne(kept, side);
    std::string fitted = side == Elide::End ? std::string(kept) + std::string(kEllipsis)
                                            : std::string(kEllipsis) + std::string(kept);
    if (width(fitted) <= room) return fitted;
  }
  return std::string(kEllipsis);
}

std::string FitWrappedText(std::string_view text, int room, const TextWidth& width) {
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find(' ', start);
    if (end == std::string_view::npos) end = text.size();
    if (end > start && width(text.substr(start, end - start)) > room)
      return FitText(text, room, Elide::End, width);
    start = end + 1;
  }
  return std::string(text);
}

}  // namespace tq
