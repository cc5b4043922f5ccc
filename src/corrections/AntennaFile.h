#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "corrections/FactorTable.h"

namespace tq {

// The lines of a text file, ended by CR LF or LF; a final line end adds no empty line.
std::vector<std::string_view> TextLines(std::string_view text);

// The decimal number a line starts with (leading blanks allowed, the rest of the line
// ignored), as the file readers take it.
std::optional<double> LeadingNumber(std::string_view line);
// A text that is a decimal number and nothing else but blanks around it.
std::optional<double> WholeNumber(std::string_view text);

inline constexpr std::size_t kAntennaPairs = 100;
inline constexpr std::size_t kTitleLength = 64;

// One frequency / factor pair of an antenna file.
struct AntennaPair {
  double frequencyHz = 0.0;
  double factorDb = 0.0;
  bool operator==(const AntennaPair&) const = default;
};

// A user antenna file as read: a number that is missing or does not convert reads as 0,
// which ends the table for the factor lookup.
struct AntennaFile {
  std::string title;           // line 1, at most 64 characters
  bool radiated = false;       // line 2 is exactly "TRUE"
  std::string changeoverText;  // line 3 as typed
  std::array<AntennaPair, kAntennaPairs> pairs{};
};
AntennaFile ReadAntennaFile(std::string_view text);

// The file the editor writes: title, radiated flag, change-over text, two empty lines and
// the pairs in scientific notation, CR LF ended.
std::string WriteAntennaFile(std::string_view title, bool radiated, std::string_view changeoverText,
                             std::span<const AntennaPair> pairs);
// A number as the editor writes it: 1.00000000000000E+0006.
std::string ScientificText(double value);

// Reads a TEM cell file (the antenna file's layout, as the editor writes it) into rows 1 to
// 499 of the (empty) table and gives the number of rows read; the change-over frequency
// comes from line 3, 200 MHz when it gives none.
struct CellFileRead {
  int rows = 0;
  std::int32_t changeoverHz = 200000000;
};
CellFileRead ReadCellFile(std::string_view text, FactorTable& table);

// "cell" + the serial number text padded with "0" to 3 characters + ".ant".
std::string CellFileName(std::string_view serialText);

// A row of the editor's grid that may be saved or applied: both cells are numbers and the
// frequency lies in 0 <= f < 1100000000.
std::optional<AntennaPair> GridRowValue(std::string_view frequencyText,
                                        std::string_view factorText);

}  // namespace tq
