// The one-pass encoding routines against their literal pass-by-pass versions on generated
// inputs: they must agree byte for byte.
#include <gtest/gtest.h>

#include <string>

#include "encoding/convert.h"
#include "encoding/cyrillic.h"
#include "encoding/paragraphs.h"
#include "reference/encoding_generators.h"
#include "reference/encoding_reference.h"
#include "reference/hex.h"

namespace lorvan {
namespace {

using testing::TextGenerator;

constexpr int kRounds = 20000;

using testing::Hex;

TEST(EncodingDifferential, ConvertEncodingMatchesSlotBySlotPasses) {
  TextGenerator gen(11);
  int differences = 0;
  for (int i = 0; i < kRounds; ++i) {
    std::string input = testing::EncodingSoup(gen, gen.Uniform(0, 24));
    for (bool from_utf8 : {true, false}) {
      std::string fast = input;
      ConvertEncoding(fast, from_utf8);
      std::string literal = reference::ConvertEncodingBySlots(input, from_utf8);
      if (fast != literal && ++differences <= 5)
        ADD_FAILURE() << from_utf8 << " " << Hex(input) << "\n  fast " << Hex(fast)
                      << "\n  literal " << Hex(literal);
    }
  }
  EXPECT_EQ(differences, 0);
}

TEST(EncodingDifferential, CyrillicToLatinMatchesRowByRowPasses) {
  TextGenerator gen(12);
  int differences = 0;
  for (int i = 0; i < kRounds; ++i) {
    std::string line = testing::CyrillicLine(gen, gen.Uniform(1, 8));
    std::string inputs[] = {line, testing::CyrillicCapitals(line),
                            testing::EncodingSoup(gen, gen.Uniform(0, 16))};
    for (const std::string& input : inputs) {
      std::string fast = input;
      CyrillicToLatin(fast);
      std::string literal = reference::CyrillicToLatinByRows(input);
      if (fast != literal && ++differences <= 5)
        ADD_FAILURE() << input << "\n  fast " << fast << "\n  literal " << literal;
    }
  }
  EXPECT_EQ(differences, 0);
}

TEST(EncodingDifferential, WorkingCopyMatchesLineByLineCopy) {
  TextGenerator gen(13);
  int differences = 0;
  for (int i = 0; i < kRounds; ++i) {
    std::string input = testing::ParagraphFile(gen, gen.Uniform(0, 12));
    for (bool split : {true, false}) {
      std::string fast = MakeWorkingCopy(input, split);
      std::string literal = reference::MakeWorkingCopyLiteral(input, split);
      if (fast != literal && ++differences <= 5)
        ADD_FAILURE() << split << " " << Hex(input) << "\n  fast " << Hex(fast) << "\n  literal "
                      << Hex(literal);
    }
  }
  EXPECT_EQ(differences, 0);
}

}  // namespace
}  // namespace lorvan
