// The one-pass encoding routines against their literal pass-by-pass versions on generated
// inputs: they must agree byte for byte (gtest prints the bytes escaped).
#include <gtest/gtest.h>

#include <string>

#include "encoding/convert.h"
#include "encoding/cyrillic.h"
#include "encoding/paragraphs.h"
#include "generators/encoding_generators.h"
#include "reference/encoding_reference.h"

namespace lorvan {
namespace {

TEST(EncodingDifferential, EveryRoutineMatchesItsLiteralPasses) {
  testing::TextGenerator gen(11);
  for (int i = 0; i < 3000; ++i) {
    const std::string soup = testing::EncodingSoup(gen, gen.Uniform(0, 24));
    for (bool from_utf8 : {true, false}) {
      std::string fast = soup;
      ASSERT_EQ(ConvertEncoding(fast, from_utf8),
                reference::ConvertEncodingBySlots(soup, from_utf8))
          << from_utf8 << " " << soup;
    }
    const std::string line = testing::CyrillicLine(gen, gen.Uniform(1, 8));
    for (const std::string& input : {line, testing::CyrillicCapitals(line), soup}) {
      std::string fast = input;
      ASSERT_EQ(CyrillicToLatin(fast), reference::CyrillicToLatinByRows(input)) << input;
    }
    const std::string file = testing::ParagraphFile(gen, gen.Uniform(0, 12));
    for (bool split : {true, false}) {
      ASSERT_EQ(MakeWorkingCopy(file, split), reference::MakeWorkingCopyLiteral(file, split))
          << split;
    }
  }
}

}  // namespace
}  // namespace lorvan
