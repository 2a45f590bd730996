// The one-pass encoding routines against their literal pass-by-pass versions on any bytes:
// ConvertEncoding both ways, CyrillicToLatin, and MakeWorkingCopy with and without paragraph
// splitting. Any difference is a crash.
#include <cstdint>
#include <string>

#include "encoding/convert.h"
#include "encoding/cyrillic.h"
#include "encoding/paragraphs.h"
#include "fuzz/fuzz_support.h"
#include "reference/encoding_reference.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace lorvan;
  const std::string input(fuzz::Bytes(data, size));
  for (bool from_utf8 : {true, false}) {
    std::string fast = input;
    ConvertEncoding(fast, from_utf8);
    fuzz::ExpectSame(from_utf8 ? "ConvertEncoding from UTF-8" : "ConvertEncoding to UTF-8", fast,
                     reference::ConvertEncodingBySlots(input, from_utf8));
    // The same flag picks MakeWorkingCopy with and without paragraph splitting.
    fuzz::ExpectSame(from_utf8 ? "MakeWorkingCopy with paragraphs" : "MakeWorkingCopy",
                     MakeWorkingCopy(input, from_utf8),
                     reference::MakeWorkingCopyLiteral(input, from_utf8));
  }
  std::string fast = input;
  CyrillicToLatin(fast);
  fuzz::ExpectSame("CyrillicToLatin", fast, reference::CyrillicToLatinByRows(input));
  return 0;
}
