// A file planned block by block decides what its whole text decides, whatever the block size.
#include "run/file_plan.h"

#include <gtest/gtest.h>

#include "encoding/paragraphs.h"
#include "generators/encoding_generators.h"
#include "run/file_text.h"
#include "tests/core/temp_dir.h"

namespace lorvan {
namespace {

// Files whose decisions can go either way: soup that is seldom UTF-8, Cyrillic lines, paragraph
// files, each sometimes behind a byte-order mark or with one after a line end.
std::string MakeFile(testing::TextGenerator& gen) {
  std::string text;
  const int parts = gen.Uniform(0, 6);
  for (int i = 0; i < parts; ++i) {
    switch (gen.Uniform(0, 4)) {
      case 0: text += testing::EncodingSoup(gen, gen.Uniform(0, 20)); break;
      case 1: text += testing::CyrillicLine(gen, gen.Uniform(1, 12)); break;
      case 2: text += testing::ParagraphFile(gen, gen.Uniform(1, 12)); break;
      case 3: text += std::string(kUtf8Bom) + testing::EncodingSoup(gen, 8); break;
      default: text += gen.Line(gen.Uniform(1, 8)); break;
    }
    text += gen.Chance(0.5) ? "\r\n" : gen.Chance(0.5) ? "\n" : "\r";
  }
  if (gen.Chance(0.3)) text.insert(0, kUtf8Bom);
  return text;
}

TEST(FilePlan, BlocksDecideWhatTheWholeFileDoes) {
  TempDir dir;
  testing::TextGenerator gen(20261207);
  for (int n = 0; n < 400; ++n) {
    const std::string text = MakeFile(gen);
    dir.Put("f.txt", text);
    InputFile file;
    ASSERT_TRUE(file.Open(dir.Path("f.txt")).ok());
    RunSettings settings;
    settings.byte_exact = gen.Chance(0.3);
    settings.cyrillic = gen.Chance(0.3);
    settings.paragraphs = gen.Chance(0.7);
    settings.encoding = static_cast<EncodingChoice>(gen.Uniform(0, 2));
    const std::size_t block_bytes = static_cast<std::size_t>(gen.Uniform(1, 40));
    FilePlan plan;
    ASSERT_TRUE(PlanFile(file, settings, block_bytes, &plan).ok());

    // The blocks cover the file, each cut where a line ends for good; in the byte model their
    // working copies make that of the file.
    std::int64_t at = 0;
    std::string working_copy;
    for (const FileBlock& block : plan.blocks) {
      ASSERT_EQ(block.begin, at) << n;
      at = block.end;
      const std::string_view bytes =
          std::string_view(text).substr(block.begin, block.end - block.begin);
      working_copy += BlockWorkingCopy(bytes, block.last, settings.paragraphs);
      if (block.last) continue;
      const std::string_view before = std::string_view(text).substr(0, block.end);
      ASSERT_TRUE(before.ends_with('\r') || before.ends_with('\n')) << n;
      ASSERT_FALSE(before.ends_with('\r') && text[block.end] == '\n') << n;
    }
    ASSERT_EQ(at, static_cast<std::int64_t>(text.size()));
    ASSERT_TRUE(plan.blocks.back().last);

    DecodedFile whole;
    DecodeFile(text, settings.encoding, settings.cyrillic, &whole);
    const std::size_t total = settings.byte_exact
                                  ? MakeWorkingCopy(text, settings.paragraphs).size()
                                  : whole.text.size();
    EXPECT_EQ(plan.total, static_cast<std::int64_t>(total)) << n;
    if (settings.byte_exact) {
      EXPECT_EQ(working_copy, MakeWorkingCopy(text, settings.paragraphs)) << n;
      continue;
    }
    EXPECT_EQ(plan.encoding, whole.encoding) << n;
    EXPECT_EQ(plan.bom, whole.bom) << n;
    EXPECT_EQ(plan.cyrillic_without_option,
              !settings.cyrillic && whole.encoding == TextEncoding::kUtf8 && !whole.kept.empty() &&
                  IsMostlySerbianCyrillic(text))
        << n;
  }
}

}  // namespace
}  // namespace lorvan
