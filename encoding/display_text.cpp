#include "encoding/display_text.h"

#include "encoding/utf8_text.h"

namespace lorvan {

// The UTF-8 encoder with no kept characters: every byte without a character in Windows-1250
// becomes U+FFFD.
std::string Cp1250ToUtf8(std::string_view text) {
  const KeptCharacters none;
  KeptCharacters::Cursor cursor = none.Begin();
  std::string out;
  out.reserve(text.size() + text.size() / 4);
  EncodeUtf8(text, &cursor, &out);
  return out;
}

}  // namespace lorvan
