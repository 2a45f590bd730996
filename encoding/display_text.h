// Conversions between the core's Windows-1250 bytes and UTF-8, for showing texts to the user
// and for taking file names from the system.
#pragma once

#include <string>
#include <string_view>

namespace lorvan {

// Converts every Windows-1250 byte of text to its UTF-8 form (bytes without a character in
// Windows-1250 become U+FFFD).
std::string Cp1250ToUtf8(std::string_view text);

// Converts UTF-8 text to Windows-1250 bytes. A character that Windows-1250 lacks, and every
// byte that is not part of a well-formed UTF-8 sequence, becomes '?'; then *lossless is set to
// false, otherwise to true (lossless may be null).
std::string Utf8ToCp1250(std::string_view utf8, bool* lossless);

}  // namespace lorvan
