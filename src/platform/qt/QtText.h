#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace tq {

// The program's texts are UTF-8; a text that is not (an old 8-bit data file) is taken as
// Latin-1 so that no byte is lost on the way to the screen.
QString ToQString(std::string_view text);
std::string ToStdString(const QString& text);

}  // namespace tq
