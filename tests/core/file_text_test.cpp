// Files in their own encoding and line ends through the whole line pipeline.
#include "run/file_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "encoding/display_text.h"
#include "run/file_pipeline.h"
#include "tests/core/fake_substitutions.h"

namespace lorvan {
namespace {

class NoStop : public LineHooks {
 public:
  bool YieldAndTestStop() override { return false; }
  void LineDone(std::int64_t) override {}
};

// Translates a file's bytes as a run does without the original byte model.
std::string TranslateFileBytes(const std::string& bytes, EncodingChoice choice,
                               LineEndChoice ends = LineEndChoice::kKeep) {
  testing::FakeSubstitutions subs;
  subs.Add("hleb", "kruh");
  subs.Add("hiljada", "tisu\346a");
  subs.Add("sreca", "sre\346a");
  DecodedFile file;
  DecodeFile(bytes, choice, /*cyrillic=*/false, &file);
  LineTranslator translator(subs, {.skip_tags = true, .cyrillic = false, .utf8_letters = false});
  FolderPassState state;
  NoStop hooks;
  std::string result, out;
  EXPECT_EQ(TranslateLines(file.text, {.paragraphs = true, .line_ends = ends}, translator, state,
                           hooks, &result),
            FileOutcome::kTranslated);
  EncodeFile(file, result, &out);
  return out;
}

// The characters of utf8 that Windows-1250 lacks, and its line ends, in order.
std::vector<std::string> ForeignCharactersAndLineEnds(const std::string& utf8) {
  std::vector<std::string> found;
  for (std::size_t i = 0; i < utf8.size();) {
    const unsigned char c = static_cast<unsigned char>(utf8[i]);
    std::size_t n = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : 2;
    std::string ch = utf8.substr(i, n);
    if (ch == "\r" && utf8.compare(i, 2, "\r\n") == 0) ch = "\r\n", n = 2;
    std::string cp1250;
    KeptCharacters kept;
    DecodeUtf8(ch, false, &cp1250, &kept);
    if (!kept.empty() || ch == "\n" || ch == "\r" || ch == "\r\n") found.push_back(ch);
    i += n;
  }
  return found;
}

// Random lines of Croatian and Serbian words among characters Windows-1250 lacks, with random
// line ends (the last line may have none), sometimes behind a byte-order mark.
std::string RandomUtf8File(std::mt19937& random, bool foreign) {
  static const std::vector<std::string> kWords = {
      "hleb", "Hiljada", "sreca", "sreća", "ČAŠA", "đak", "„navodnici“", "—", "é", "ß", "<b>",
      "hleb</p><p>hleb", "sa", "k", "s"};
  static const std::vector<std::string> kForeign = {"😀", "ю", "Љубав", "中文", "e\xcc\x81",
                                                    "Ş", "\xc2\x81"};
  static const std::vector<std::string> kEnds = {"\n", "\r\n", "\r"};
  std::string text = random() % 4 == 0 ? "\xEF\xBB\xBF" : "";
  const int lines = static_cast<int>(random() % 6);
  for (int line = 0; line < lines; ++line) {
    for (int word = static_cast<int>(random() % 6); word > 0; --word) {
      const bool pick_foreign = foreign && random() % 3 == 0;
      text += pick_foreign ? kForeign[random() % kForeign.size()]
                           : kWords[random() % kWords.size()];
      text += random() % 5 == 0 ? "" : " ";
    }
    if (line + 1 < lines || random() % 2 == 0) text += kEnds[random() % kEnds.size()];
  }
  return text;
}

// UTF-8 comes back valid, with its mark and every kept character and line end in place, and
// a file without foreign characters translates as its Windows-1250 form does.
TEST(FileText, Utf8KeepsWhatWindows1250LacksAndTranslatesAsItsWindows1250Form) {
  std::mt19937 random(11);
  for (int i = 0; i < 3000; ++i) {
    const std::string in = RandomUtf8File(random, /*foreign=*/i % 2 == 0);
    const std::string bare(StripUtf8Bom(in)), out = TranslateFileBytes(in, EncodingChoice::kAuto);
    std::string cp1250;
    KeptCharacters kept;
    DecodeUtf8(bare, false, &cp1250, &kept);
    if (kept.empty()) {
      EXPECT_EQ(TranslateFileBytes(bare, EncodingChoice::kUtf8),
                Cp1250ToUtf8(TranslateFileBytes(cp1250, EncodingChoice::kWindows1250)))
          << in;
    }
    if (std::all_of(in.begin(), in.end(), [](char c) { return c > 0; })) continue;  // ASCII
    ASSERT_EQ(DetectEncoding(out), TextEncoding::kUtf8) << in;
    // Paragraph breaks add line ends of the line's own kind: compare without them.
    if (in.find("</p><p>") == std::string::npos) {
      EXPECT_EQ(ForeignCharactersAndLineEnds(out), ForeignCharactersAndLineEnds(in)) << in;
    }
    EXPECT_EQ(HasUtf8Bom(out), HasUtf8Bom(in)) << in;
  }
}

TEST(FileText, LineEndsAreKeptOrRewritten) {
  const struct {
    const char* in;
    LineEndChoice ends;
    const char* out;
  } cases[] = {
      {"hleb\nhleb\r\nhleb\rhleb", LineEndChoice::kKeep, "kruh\nkruh\r\nkruh\rkruh"},
      {"hleb\nhleb\r\n\rhleb", LineEndChoice::kCrLf, "kruh\r\nkruh\r\n\r\nkruh"},
      {"hleb\r\nhleb\r\n", LineEndChoice::kLf, "kruh\nkruh\n"},
      {"a</p><p>hleb\r\nb</p><p>c", LineEndChoice::kKeep, "a</p>\r\n<p>kruh\r\nb</p>\r\n<p>c"},
      {"", LineEndChoice::kKeep, ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(TranslateFileBytes(c.in, EncodingChoice::kAuto, c.ends), c.out) << c.in;
  EXPECT_EQ(RewriteLineEnds("a\rb\r\nc\n", LineEndChoice::kLf), "a\nb\nc\n");
}

}  // namespace
}  // namespace lorvan
