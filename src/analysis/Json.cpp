#include "analysis/Json.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace tq {

namespace {

void Quote(std::string& out, std::string_view s) {
  out += '"';
  for (unsigned char c : s) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (c < 0x20) {
          char hex[8];
          std::snprintf(hex, sizeof hex, "\\u%04x", c);
          out += hex;
        } else {
          out += static_cast<char>(c);
        }
    }
  }
  out += '"';
}

void Number(std::string& out, double d) {
  if (!std::isfinite(d)) {
    out += "null";
    return;
  }
  char text[32];
  std::snprintf(text, sizeof text, "%.10g", d);
  out += text;
}

class Parser {
 public:
  explicit Parser(std::string_view text) : s_(text) {}

  std::optional<Json> document() {
    auto v = value(0);
    blanks();
    if (!v || at_ != s_.size()) return std::nullopt;
    return v;
  }

 private:
  void blanks() {
    while (at_ < s_.size() &&
           (s_[at_] == ' ' || s_[at_] == '\t' || s_[at_] == '\n' || s_[at_] == '\r'))
      ++at_;
  }
  bool take(char c) {
    blanks();
    if (at_ < s_.size() && s_[at_] == c) {
      ++at_;
      return true;
    }
    return false;
  }
  bool word(std::string_view w) {
    if (s_.substr(at_, w.size()) != w) return false;
    at_ += w.size();
    return true;
  }

  std::optional<Json> value(int depth) {
    if (depth > 64) return std::nullopt;
    blanks();
    if (at_ >= s_.size()) return std::nullopt;
    const char c = s_[at_];
    if (c == '{') return object(depth);
    if (c == '[') return array(depth);
    if (c == '"') {
      auto s = string();
      if (!s) return std::nullopt;
      return Json(std::move(*s));
    }
    if (word("true")) return Json(true);
    if (word("false")) return Json(false);
    if (word("null")) return Json();
    return number();
  }

  std::optional<Json> number() {
    const std::size_t start = at_;
    while (at_ < s_.size() &&
           (std::isdigit(static_cast<unsigned char>(s_[at_])) || s_[at_] == '-' || s_[at_] == '+' ||
            s_[at_] == '.' || s_[at_] == 'e' || s_[at_] == 'E'))
      ++at_;
    double d = 0;
    const auto r = std::from_chars(s_.data() + start, s_.data() + at_, d);
    if (at_ == start || r.ec != std::errc{} || r.ptr != s_.data() + at_) return std::nullopt;
    return Json(d);
  }

  std::optional<std::string> string() {
    if (!take('"')) return std::nullopt;
    std::string out;
    while (at_ < s_.size()) {
      const char c = s_[at_++];
      if (c == '"') return out;
      if (static_cast<unsigned char>(c) < 0x20) return std::nullopt;
      if (c != '\\') {
        out += c;
        continue;
      }
      if (at_ >= s_.size()) return std::nullopt;
      const char e = s_[at_++];
      switch (e) {
        case '"':
        case '\\':
        case '/':
          out += e;
          break;
        case 'n':
          out += '\n';
          break;
        case 'r':
          out += '\r';
          break;
        case 't':
          out += '\t';
          break;
        case 'b':
          out += '\b';
          break;
        case 'f':
          out += '\f';
          break;
        case 'u': {
          unsigned code = 0;
          if (at_ + 4 > s_.size()) return std::nullopt;
          const auto r = std::from_chars(s_.data() + at_, s_.data() + at_ + 4, code, 16);
          if (r.ptr != s_.data() + at_ + 4) return std::nullopt;
          at_ += 4;
          // Our own files hold only control characters this way; others become '?'.
          out += code < 0x80 ? static_cast<char>(code) : '?';
          break;
        }
        default:
          return std::nullopt;
      }
    }
    return std::nullopt;
  }

  std::optional<Json> array(int depth) {
    take('[');
    Json::Array items;
    if (take(']')) return Json(std::move(items));
    do {
      auto v = value(depth + 1);
      if (!v) return std::nullopt;
      items.push_back(std::move(*v));
    } while (take(','));
    if (!take(']')) return std::nullopt;
    return Json(std::move(items));
  }

  std::optional<Json> object(int depth) {
    take('{');
    Json::Object members;
    if (take('}')) return Json(std::move(members));
    do {
      blanks();
      auto key = string();
      if (!key || !take(':')) return std::nullopt;
      auto v = value(depth + 1);
      if (!v) return std::nullopt;
      members.insert_or_assign(std::move(*key), std::move(*v));
    } while (take(','));
    if (!take('}')) return std::nullopt;
    return Json(std::move(members));
  }

  std::string_view s_;
  std::size_t at_ = 0;
};

}  // namespace

const Json::Array* Json::asArray() const {
  const auto* p = std::get_if<std::shared_ptr<Array>>(&value_);
  return p ? p->get() : nullptr;
}

const Json::Object* Json::asObject() const {
  const auto* p = std::get_if<std::shared_ptr<Object>>(&value_);
  return p ? p->get() : nullptr;
}

const Json* Json::find(std::string_view key) const {
  const Object* o = asObject();
  if (!o) return nullptr;
  const auto it = o->find(key);
  return it == o->end() ? nullptr : &it->second;
}

std::string Json::Write() const {
  std::string out;
  write(out, 0);
  out += '\n';
  return out;
}

void Json::write(std::string& out, int depth) const {
  const std::string indent(2 * (depth + 1), ' ');
  const std::string closing(2 * depth, ' ');
  if (isNull()) {
    out += "null";
  } else if (const bool* b = asBool()) {
    out += *b ? "true" : "false";
  } else if (const double* d = asNumber()) {
    Number(out, *d);
  } else if (const std::string* s = asString()) {
    Quote(out, *s);
  } else if (const Array* a = asArray()) {
    if (a->empty()) {
      out += "[]";
      return;
    }
    out += "[\n";
    for (std::size_t i = 0; i < a->size(); ++i) {
      out += indent;
      (*a)[i].write(out, depth + 1);
      out += i + 1 < a->size() ? ",\n" : "\n";
    }
    out += closing + "]";
  } else if (const Object* o = asObject()) {
    if (o->empty()) {
      out += "{}";
      return;
    }
    out += "{\n";
    std::size_t i = 0;
    for (const auto& [key, value] : *o) {
      out += indent;
      Quote(out, key);
      out += ": ";
      value.write(out, depth + 1);
      out += ++i < o->size() ? ",\n" : "\n";
    }
    out += closing + "}";
  }
}

std::optional<Json> ParseJson(std::string_view text) {
  return Parser(text).document();
}

double RoundedTo(double value, int decimals) {
  const double scale = std::pow(10.0, decimals);
  return std::round(value * scale) / scale;
}

}  // namespace tq
