// A file planned block by block decides what its whole text decides, whatever the block size.
#include "run/file_plan.h"

#include <gtest/gtest.h>

#include <iterator>
#include <random>

#include "encoding/paragraphs.h"
#include "run/file_text.h"
#include "tests/core/temp_dir.h"

namespace lorvan {
namespace {

// Files whose decisions can go either way: pieces of Windows-1250, valid and broken UTF-8,
// Serbian Cyrillic and closing paragraph tags, sometimes behind a byte-order mark or with one
// after a line end, joined by every line end.
std::string MakeFile(std::mt19937& random) {
  static const char* const kPieces[] = {
      "hleb i voz",
      "Hiljada \xe8"
      "a\x9a"
      "a",
      "\xc4\x8c"
      "a\xc5\xa1"
      "a",
      "\xc4",
      "\xe2\x80\x9e"
      "z\xe2\x80\x9c",
      "\xd0\xbc\xd0\xb8\xd1\x80",
      "\xd0\x89\xd1\x83\xd0\xb1\xd0\xb0\xd0\xb2",
      "</p><p>x",
      "</P>\r\n<b>",
      "\xef\xbb\xbf",
      "\xf0\x9f\x98\x80",
      "\x81",
      "<a",
      "",
  };
  auto uniform = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
  std::string text;
  const int parts = uniform(0, 12);
  for (int i = 0; i < parts; ++i) {
    text += kPieces[uniform(0, std::size(kPieces) - 1)];
    switch (uniform(0, 3)) {
      case 0:
        text += "\r\n";
        break;
      case 1:
        text += "\n";
        break;
      case 2:
        text += "\r";
        break;
      default:
        break;
    }
  }
  if (uniform(0, 2) == 0) text.insert(0, kUtf8Bom);
  return text;
}

TEST(FilePlan, BlocksDecideWhatTheWholeFileDoes) {
  TempDir dir;
  std::mt19937 random(20261207);
  auto chance = [&](int in) { return std::uniform_int_distribution<int>(1, in)(random) == 1; };
  for (int n = 0; n < 400; ++n) {
    const std::string text = MakeFile(random);
    dir.Put("f.txt", text);
    InputFile file;
    ASSERT_TRUE(file.Open(dir.Path("f.txt")).ok());
    RunSettings settings;
    settings.byte_exact = chance(3);
    settings.cyrillic = chance(3);
    settings.paragraphs = !chance(3);
    settings.encoding = static_cast<EncodingChoice>(random() % 3);
    const std::size_t block_bytes = 1 + random() % 40;
    const int threads = chance(2) ? 3 : 1;  // more than four blocks are then measured on three
    FilePlan plan;
    ASSERT_TRUE(PlanFile(file, settings, block_bytes, &plan, threads).ok());

    // The blocks cover the file, each cut where a line ends for good; in the byte model their
    // working copies make that of the file.
    std::int64_t at = 0;
    std::string working_copy;
    for (const FileBlock& block : plan.blocks) {
      ASSERT_EQ(block.begin, at) << n;
      const std::string_view before_block = std::string_view(text).substr(0, block.begin);
      EXPECT_TRUE(block.begin == 0
                      ? block.previous_end.empty()
                      : before_block.ends_with(block.previous_end) &&
                            (block.previous_end != "\n" || !before_block.ends_with("\r\n")))
          << n;
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
    const std::size_t total =
        settings.byte_exact ? MakeWorkingCopy(text, settings.paragraphs).size() : whole.text.size();
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
