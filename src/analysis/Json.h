#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tq {

// A JSON value: what an unattended run's summary writes and what a later run reads back as
// its baseline. Objects keep their keys sorted, so a summary is written the same every time.
class Json {
 public:
  using Array = std::vector<Json>;
  using Object = std::map<std::string, Json, std::less<>>;

  Json() = default;  // null
  Json(std::nullptr_t) {}
  Json(bool b) : value_(b) {}
  Json(double d) : value_(d) {}
  Json(int i) : value_(static_cast<double>(i)) {}
  Json(const char* s) : value_(std::string(s)) {}
  Json(std::string s) : value_(std::move(s)) {}
  Json(Array a) : value_(std::make_shared<Array>(std::move(a))) {}
  Json(Object o) : value_(std::make_shared<Object>(std::move(o))) {}

  bool isNull() const { return std::holds_alternative<std::monostate>(value_); }
  const bool* asBool() const { return std::get_if<bool>(&value_); }
  const double* asNumber() const { return std::get_if<double>(&value_); }
  const std::string* asString() const { return std::get_if<std::string>(&value_); }
  const Array* asArray() const;
  const Object* asObject() const;
  // A member of an object; nullptr when this is no object or has no such key.
  const Json* find(std::string_view key) const;

  // Indented by two blanks a level, numbers with up to 6 significant decimals.
  std::string Write() const;

 private:
  void write(std::string& out, int depth) const;
  std::variant<std::monostate, bool, double, std::string, std::shared_ptr<Array>,
               std::shared_ptr<Object>>
      value_;
};

// Reads a JSON text; nullopt for anything that is not one whole JSON value. Nesting deeper
// than 64 levels is refused.
std::optional<Json> ParseJson(std::string_view text);

// A number with at most `decimals` decimals, without trailing zeros.
double RoundedTo(double value, int decimals);

}  // namespace tq
