// The UTF-8 and Windows-1250 forms of the Croatian letters (and of „), and the conversion that
// replaces one form by the other. Only these eleven characters are converted; every other byte
// passes through unchanged, and the input is not parsed as UTF-8.
#pragma once

#include <string>

namespace lorvan {

// Rewrites text in place and returns it: with from_utf8 the UTF-8 forms become Windows-1250
// bytes, otherwise the Windows-1250 bytes become UTF-8 forms. The result equals replacing the
// forms of Č č Ć ć Đ đ Š š Ž ž „ one after another in that order, each pass over the whole text.
std::string& ConvertEncoding(std::string& text, bool from_utf8);

}  // namespace lorvan
