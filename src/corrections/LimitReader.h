#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "model/LimitTable.h"

namespace tq {

// The lines of a limit file as the program reads them: LF or CR LF ends, every line cut at
// 128 characters. Past the end each read gives an empty line, as a text file does.
class LimitLineReader {
 public:
  static constexpr std::size_t kLineLength = 128;
  explicit LimitLineReader(std::string_view text) : text_(text) {}
  bool atEnd() const { return pos_ >= text_.size(); }
  std::string_view next();

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

// The two block shapes: the long one of limit.def, auslimit.def, uslimit.def and usrlmt.def,
// and the band block of EN55025.DEF.
enum class LimitFileKind {
  BuiltIn,  // first block is record 0
  User,     // first block is record 201; the record's first 50 rows are zeroed, not cleared
  Vehicle,  // first block is record 100
};

enum class LimitReadResult {
  Loaded,
  NotFound,  // the file has no such record; the table is untouched
  Overflow,  // the record ran past its table (no END in time); the load failed part way
};

// Reads record `wanted` of a limit file into the table. With `names`, the name of every
// record met is appended to it (the user limit list, at most kUserLimitListMax names).
LimitReadResult ReadLimitRecord(std::string_view text, LimitFileKind kind, int wanted,
                                LimitTable& table, std::vector<std::string>* names = nullptr);

inline constexpr std::size_t kUserLimitListMax = 1000;

// Empties a table: rows 1..50 of both tables, the companion offset, the name and the entry
// count (the interpolation flags stay).
void ClearLimitTable(LimitTable& table);

// The readers' number conversions. An integer field takes its leading digits after blanks
// (0 when there are none), a decimal field likewise; a distance text must convert whole,
// else it is 3.0 m.
std::int32_t LimitFieldInteger(std::string_view text);
float LimitFieldDecimal(std::string_view text);
float LimitDistanceOf(std::string_view text);
// A decimal number that makes up the whole text (blanks around it allowed).
bool ParseLimitDecimal(std::string_view text, double& value);

}  // namespace tq
