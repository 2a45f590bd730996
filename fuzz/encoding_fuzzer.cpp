// The one-pass encoding routines against their literal pass-by-pass versions on any bytes:
// ConvertEncoding both ways and CyrillicToLatin; and the UTF-8 layer's round trip, which gives
// any bytes back as they were, or transliterated as CyrillicToLatin does; and the decoded size
// told without decoding. Any difference is a crash. MakeWorkingCopy is pinned by rows in
// paragraphs_test.cpp.
#include <algorithm>
#include <cstdint>
#include <string>

#include "encoding/convert.h"
#include "encoding/cyrillic.h"
#include "encoding/utf8_text.h"
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
  }
  std::string fast = input;
  CyrillicToLatin(fast);
  fuzz::ExpectSame("CyrillicToLatin", fast, reference::CyrillicToLatinByRows(input));
  const bool well_formed = reference::IsWellFormedUtf8ByTable(input);
  const bool beyond_ascii =
      std::any_of(input.begin(), input.end(), [](char c) { return (c & 0x80) != 0; });
  const bool utf8 = HasUtf8Bom(input) || (well_formed && beyond_ascii);
  fuzz::Expect((DetectEncoding(input) == TextEncoding::kUtf8) == utf8,
               "DetectEncoding follows the table of well-formed sequences");
  const DecodedSize checked = MeasureDecoded(input);
  fuzz::Expect(checked.well_formed == well_formed && checked.beyond_ascii == beyond_ascii,
               "MeasureDecoded checks UTF-8 by the table of well-formed sequences");
  for (bool cyrillic : {false, true}) {
    std::string decoded, back;
    KeptCharacters kept;
    DecodeUtf8(input, cyrillic, &decoded, &kept);
    const DecodedSize measured = MeasureDecoded(input);
    if (!cyrillic)
      fuzz::Expect(measured.length == decoded.size() && measured.any_kept == !kept.empty(),
                   "MeasureDecoded tells what DecodeUtf8 writes");
    KeptCharacters::Cursor cursor = kept.Begin();
    EncodeUtf8(decoded, &cursor, &back);
    fuzz::ExpectSame(cyrillic ? "UTF-8 round trip, Cyrillic" : "UTF-8 round trip", back,
                     cyrillic ? fast : input);
  }
  return 0;
}
