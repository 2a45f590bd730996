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

namespace lorvan::fuzz {
namespace {

void CheckConvertEncoding(const std::string& input) {
  for (bool from_utf8 : {true, false}) {
    std::string fast = input;
    ConvertEncoding(fast, from_utf8);
    ExpectSame(from_utf8 ? "ConvertEncoding from UTF-8" : "ConvertEncoding to UTF-8", fast,
               reference::ConvertEncodingBySlots(input, from_utf8));
  }
}

void CheckCyrillicToLatin(const std::string& input) {
  std::string fast = input;
  CyrillicToLatin(fast);
  ExpectSame("CyrillicToLatin", fast, reference::CyrillicToLatinByRows(input));
}

void CheckWorkingCopy(const std::string& input) {
  for (bool split : {true, false}) {
    ExpectSame(split ? "MakeWorkingCopy with paragraphs" : "MakeWorkingCopy",
               MakeWorkingCopy(input, split), reference::MakeWorkingCopyLiteral(input, split));
  }
}

}  // namespace
}  // namespace lorvan::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(lorvan::fuzz::Bytes(data, size));
  lorvan::fuzz::CheckConvertEncoding(input);
  lorvan::fuzz::CheckCyrillicToLatin(input);
  lorvan::fuzz::CheckWorkingCopy(input);
  return 0;
}
