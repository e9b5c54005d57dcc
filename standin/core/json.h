// Compact JSON arrays, the shape of every call-trace line.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

namespace standin {

class JsonArray {
 public:
  JsonArray() : text_("[") {}

  JsonArray &Add(std::string_view text);
  JsonArray &Add(const char *text) { return text ? Add(std::string_view(text)) : Add(nullptr); }
  JsonArray &Add(std::nullptr_t);
  JsonArray &Add(bool value);
  JsonArray &Add(const JsonArray &nested);
  template <typename T>
  requires std::is_integral_v<T> JsonArray &Add(T value) {
    Separate();
    text_ += std::to_string(value);
    return *this;
  }

  // The finished array: "[a,b,...]".
  std::string Text() const { return text_ + ']'; }

 private:
  void Separate();
  std::string text_;
  bool empty_ = true;
};

// Builds a whole array from its items in one expression.
template <typename... Items>
std::string Json(const Items &...items) {
  JsonArray array;
  (array.Add(items), ...);
  return array.Text();
}

// `text` as a JSON string literal: bytes that are not printable ASCII are
// escaped (those above 0x7F as the code point of the same value), so any bytes
// give valid, deterministic output.
std::string JsonString(std::string_view text);

}  // namespace standin
