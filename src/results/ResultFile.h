#pragma once

// The result file (*.emc): a 47-line header, 501 data lines and, when an ERS plane is in
// use, that plane's 486-line correction block. Plain 8-bit text, CR LF line ends.
//
// Writing is one function of what the file holds. Reading is lenient and bounded: every
// line counts only up to 128 characters, a missing line reads as an empty one, and nothing
// here reads past the text it is given.
#include <array>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/Records.h"
#include "model/Trace.h"

namespace tq {

inline constexpr std::size_t kResultHeaderLines = 47;
inline constexpr std::size_t kResultDataLines = 501;
inline constexpr std::size_t kResultLineLength = 128;
inline constexpr std::size_t kResultTitleLength = 30;
inline constexpr std::size_t kResultDateLength = 30;
inline constexpr std::size_t kResultTimeLabelLength = 10;

// The header, line by line (the line numbers count from 1).
struct ResultHeader {
  std::string dateText;                   // 2
  std::string title;                      // 3
  std::int32_t startFrequencyHz = 0;      // 6
  std::int32_t finishFrequencyHz = 0;     // 7
  std::int32_t stepsPerScan = 0;          // 8
  bool logFrequencyAxis = false;          // 9
  bool dbmUnits = false;                  // 10
  std::int32_t inputCode = 8;             // 11
  std::string delimiter = ";";            // 12
  std::int32_t attenuationDb = 0;         // 13
  bool showCurrent = false;               // 14
  bool showStore = false;                 // 15
  bool showDifference = false;            // 16
  bool showArchive = false;               // 17
  bool showLimit = false;                 // 18
  std::array<std::string, 8> notes;       // 19..26
  std::string ersSerialNumber;            // 27
  std::int32_t samplingValue = 0;         // 28
  std::int32_t limitNumber = 0;           // 30
  std::int32_t singleFrequencyHz = 0;     // 31
  std::array<std::string, 5> timeLabels;  // 32..36
  std::int32_t detector = 1;              // 37
  bool differenceInsertionLoss = false;   // 38
  std::int32_t lisnInsertionLossDb = 0;   // 39, packed with the source
  std::int32_t lisnSource = 0;
  std::int32_t processingMode = 0;     // 40
  std::int32_t limitFileSelector = 1;  // 41
  std::int32_t ersPlane = 0;           // 42: 0 none, 1 horizontal, 2 vertical
  std::int32_t preampGainDb = 0;       // 43
  bool operator==(const ResultHeader&) const = default;
};

// The data block's columns, and the buffers a read fills: 502 frequencies of which 501 are
// used, as a trace source keeps them.
struct ResultColumns {
  std::array<float, 502> frequenciesHz{};
  Trace current{};
  Trace store{};
  Trace limit{};
  Trace single{};
  bool operator==(const ResultColumns&) const = default;
};

// The delimiter a file is written with: the setting's first character, or ";" where that
// character would run into the numbers or the line ends (a blank, a digit, a sign, a point,
// a control character, or no character at all).
std::string ResultDelimiter(std::string_view setting);

// The whole file. The header's delimiter is written as ResultDelimiter gives it.
std::string FormatResultFile(const ResultHeader& header, const ResultColumns& columns,
                             const ErsTables& ers);

// The lines of a file as the reader takes them: at most `maxLines`, each without its line
// end (CR LF, CR or LF) and cut to 128 characters. A line past the end of the text reads as
// empty.
class ResultLines {
 public:
  ResultLines(std::string_view text, std::size_t maxLines);
  // The lines are views into the text, so a temporary string would leave them dangling.
  template <class S>
    requires std::same_as<S, std::string>
  ResultLines(S&&, std::size_t) = delete;
  std::string_view operator[](std::size_t index) const {
    return index < lines_.size() ? lines_[index] : std::string_view{};
  }
  std::size_t size() const { return lines_.size(); }

 private:
  std::vector<std::string_view> lines_;
};

// The most lines a reader looks at: header, data and ERS block.
inline constexpr std::size_t kResultFileLines = kResultHeaderLines + kResultDataLines + kErsPoints;

// A header as read. Lines 39, 40 and 42 that hold no number leave the program's value, so
// the read says whether each held one.
struct HeaderRead {
  ResultHeader header;
  // The first of lines 6, 7, 8, 11, 13, 28, 30, 31 and 37 that held no integer: the read
  // stopped there and only the lines before it count. 0 when every one did.
  int failedLine = 0;
  bool delimiterRead = false;  // line 12 was not empty
  bool lisnRead = false;
  bool processingModeRead = false;
  bool ersPlaneRead = false;
};
HeaderRead ReadResultHeader(const ResultLines& lines);

// Reads the 501 data lines that start at line index `first` into the buffers. A blank
// delimiter reads white-space separated numbers; any other splits at that character, and a
// field that does not convert leaves its buffer as it was.
void ReadResultData(const ResultLines& lines, std::size_t first, char delimiter,
                    ResultColumns& buffers);

// The ERS field reader: field n (from 1) of an ERS line as a number, fields ending at the
// delimiter or a comma; 0 for a field that is missing or not a number.
float ErsField(std::string_view line, int n, char delimiter);

// Reads the ERS block that starts at line index `first`. A block written for plane 1 or 2
// (`filePlane`, line 42 of its file) goes back into that plane's table and flags; a block of
// any other layout gives field 1 to the horizontal and field 2 to the vertical table. Both
// planes are cleared first, and no plane is applied afterwards. A file that ends with its
// data block has no ERS block: then nothing changes and the result is false.
bool ReadErsBlock(const ResultLines& lines, std::size_t first, char delimiter, int filePlane,
                  ErsTables& ers);

// The first `count` characters of a text, UTF-8 sequences kept whole; a text that is not
// UTF-8 throughout (an old 8-bit file) counts a character a byte.
std::string CutCharacters(std::string_view text, std::size_t count);

}  // namespace tq
