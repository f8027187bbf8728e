// Writes JSON a value at a time. The page reads the design and the states
// as one JSON string each: a single string across the boundary between
// WebAssembly and the page costs far less than an object built field by
// field.
#pragma once

#include <string>
#include <string_view>

namespace web {

class Json {
 public:
  Json& Open(char bracket) {
    Separate();
    text_ += bracket;
    first_ = true;
    return *this;
  }

  Json& Close(char bracket) {
    text_ += bracket;
    first_ = false;
    return *this;
  }

  Json& Key(std::string_view key) {
    String(key);
    text_ += ':';
    first_ = true;
    return *this;
  }

  Json& String(std::string_view value) {
    Separate();
    text_ += '"';
    for (const char c : value) {
      if (c == '"' || c == '\\') {
        text_ += '\\';
        text_ += c;
      } else if (static_cast<unsigned char>(c) < 0x20) {
        text_ += "\\u00";
        text_ += kHex[(c >> 4) & 0xF];
        text_ += kHex[c & 0xF];
      } else {
        text_ += c;
      }
    }
    text_ += '"';
    return *this;
  }

  Json& Number(long long value) { return Raw(std::to_string(value)); }
  Json& Bool(bool value) { return Raw(value ? "true" : "false"); }
  Json& Null() { return Raw("null"); }

  Json& Field(std::string_view key, std::string_view value) { return Key(key).String(value); }
  Json& Field(std::string_view key, long long value) { return Key(key).Number(value); }
  // Not an overload of Field: a string literal would convert to bool first.
  Json& Flag(std::string_view key, bool value) { return Key(key).Bool(value); }

  std::string Take() { return std::move(text_); }

 private:
  static constexpr char kHex[] = "0123456789abcdef";

  Json& Raw(std::string_view value) {
    Separate();
    text_ += value;
    return *this;
  }

  // A value after another in the same array or object needs a comma.
  void Separate() {
    if (!first_) text_ += ',';
    first_ = false;
  }

  std::string text_;
  bool first_ = true;
};

}  // namespace web
