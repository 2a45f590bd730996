#include "encoding/letters.h"

namespace lorvan {

void ToLowerInPlace(std::string& text) {
  for (char& c : text) c = static_cast<char>(ToLowerByte(static_cast<unsigned char>(c)));
}

void ToUpperInPlace(std::string& text) {
  for (char& c : text) c = static_cast<char>(ToUpperByte(static_cast<unsigned char>(c)));
}

std::string ToLowerCopy(std::string_view text) {
  std::string copy(text);
  ToLowerInPlace(copy);
  return copy;
}

std::string ToUpperCopy(std::string_view text) {
  std::string copy(text);
  ToUpperInPlace(copy);
  return copy;
}

bool HasNoCapital(std::string_view text) {
  for (char c : text)
    if (ToLowerByte(static_cast<unsigned char>(c)) != static_cast<unsigned char>(c)) return false;
  return true;
}

bool HasNoSmall(std::string_view text) {
  for (char c : text)
    if (ToUpperByte(static_cast<unsigned char>(c)) != static_cast<unsigned char>(c)) return false;
  return true;
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (ToLowerByte(static_cast<unsigned char>(a[i])) !=
        ToLowerByte(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

}  // namespace lorvan
