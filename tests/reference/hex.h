// Bytes written as hex, for the reports of differential tests and fuzz targets.
#pragma once

#include <string>
#include <string_view>

namespace lorvan::testing {

// text as hex bytes separated by spaces ("C4 8C 61 ").
inline std::string Hex(std::string_view text) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : text) {
    out += kDigits[c >> 4];
    out += kDigits[c & 15];
    out += ' ';
  }
  return out;
}

}  // namespace lorvan::testing
