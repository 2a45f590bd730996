// File masks as the file list applies them: "*" and "?" wildcards, ASCII letters compared
// without regard to case, several masks separated by ";".
#pragma once

#include <string_view>

namespace lorvan {

// c with ASCII capitals folded to small letters, the way file names are compared.
inline unsigned char FoldAscii(char c) {
  unsigned char u = static_cast<unsigned char>(c);
  return (u >= 'A' && u <= 'Z') ? static_cast<unsigned char>(u + 32) : u;
}

// True when name matches mask. "*" stands for any run of characters, "?" for exactly one;
// a mask ending in ".*" also matches names without any "." ("*.*" matches every file).
bool MatchesMask(std::string_view name, std::string_view mask);

}  // namespace lorvan
