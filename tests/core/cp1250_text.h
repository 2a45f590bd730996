// Readable Windows-1250 test strings: W("čaša") gives the bytes E8 61 9A 61.
#pragma once

#include <string>
#include <string_view>

namespace lorvan::testing {

// text with the UTF-8 forms of č ć đ š ž Č Ć Đ Š Ž turned into their Windows-1250 bytes.
inline std::string W(std::string_view text) {
  struct Letter {
    std::string_view utf8;
    char cp1250;
  };
  static constexpr Letter kLetters[] = {{"č", '\xe8'}, {"ć", '\xe6'}, {"đ", '\xf0'}, {"š", '\x9a'},
                                        {"ž", '\x9e'}, {"Č", '\xc8'}, {"Ć", '\xc6'}, {"Đ", '\xd0'},
                                        {"Š", '\x8a'}, {"Ž", '\x8e'}};
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    bool converted = false;
    for (const Letter& letter : kLetters) {
      if (text.substr(i, 2) == letter.utf8) {
        out += letter.cp1250;
        i += 2;
        converted = true;
        break;
      }
    }
    if (!converted) out += text[i++];
  }
  return out;
}

}  // namespace lorvan::testing
