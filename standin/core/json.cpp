#include "standin/core/json.h"

namespace standin {

std::string JsonString(std::string_view text) {
  static const char hex[] = "0123456789abcdef";
  std::string out;
  out.reserve(text.size() + 2);
  out += '"';
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (byte < 0x20 || byte >= 0x7F) {
          out += "\\u00";
          out += hex[byte >> 4];
          out += hex[byte & 15];
        } else {
          out += c;
        }
    }
  }
  out += '"';
  return out;
}

void JsonArray::Separate() {
  if (!empty_) text_ += ',';
  empty_ = false;
}

JsonArray &JsonArray::Add(std::string_view text) {
  Separate();
  text_ += JsonString(text);
  return *this;
}

JsonArray &JsonArray::Add(std::nullptr_t) {
  Separate();
  text_ += "null";
  return *this;
}

JsonArray &JsonArray::Add(bool value) {
  Separate();
  text_ += value ? "true" : "false";
  return *this;
}

JsonArray &JsonArray::Add(const JsonArray &nested) {
  Separate();
  text_ += nested.Text();
  return *this;
}

}  // namespace standin
