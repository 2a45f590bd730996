// The one-pass encoding routines against their literal pass-by-pass versions on generated
// inputs: they must agree byte for byte.
#include <gtest/gtest.h>

#include <string>

#include "encoding/convert.h"
#include "encoding/cyrillic.h"
#include "encoding/paragraphs.h"
#include "generators/encoding_generators.h"
#include "reference/encoding_reference.h"
#include "reference/hex.h"

namespace lorvan {
namespace {

using testing::Hex;

TEST(EncodingDifferential, EveryRoutineMatchesItsLiteralPasses) {
  testing::TextGenerator gen(11);
  for (int i = 0; i < 3000; ++i) {
    const std::string soup = testing::EncodingSoup(gen, gen.Uniform(0, 24));
    for (bool from_utf8 : {true, false}) {
      std::string fast = soup;
      ASSERT_EQ(Hex(ConvertEncoding(fast, from_utf8)),
                Hex(reference::ConvertEncodingBySlots(soup, from_utf8)))
          << from_utf8 << " " << Hex(soup);
    }
    const std::string line = testing::CyrillicLine(gen, gen.Uniform(1, 8));
    for (const std::string& input : {line, testing::CyrillicCapitals(line), soup}) {
      std::string fast = input;
      ASSERT_EQ(CyrillicToLatin(fast), reference::CyrillicToLatinByRows(input)) << input;
    }
    const std::string file = testing::ParagraphFile(gen, gen.Uniform(0, 12));
    for (bool split : {true, false}) {
      ASSERT_EQ(Hex(MakeWorkingCopy(file, split)),
                Hex(reference::MakeWorkingCopyLiteral(file, split)))
          << split << " " << Hex(file);
    }
  }
}

}  // namespace
}  // namespace lorvan
