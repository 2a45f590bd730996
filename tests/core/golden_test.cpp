// Whole files through the working copy and the line pipeline, compared byte for byte with
// the expected output. Every NAME.in in the golden folder is translated with the options
// listed in NAME.options and the dictionary in golden/dictionary; NAME.expected holds the
// result.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "common/text_file.h"
#include "dictionary/load.h"
#include "encoding/paragraphs.h"
#include "engine/substitutions.h"
#include "run/file_pipeline.h"

namespace lorvan {
namespace {

const std::string kGoldenDir = LORVAN_GOLDEN_DIR;

class NoStop : public LineHooks {
 public:
  bool YieldAndTestStop() override { return false; }
  void LineDone(std::int64_t) override {}
};

std::string ReadOrFail(const std::string& path) {
  std::string bytes;
  Status status = ReadFileBytes(path, &bytes);
  EXPECT_TRUE(status.ok()) << status.message();
  return bytes;
}

TEST(Golden, TranslatesEveryCaseToItsExpectedBytes) {
  Dictionary dictionary;
  LoadReport report = LoadDictionary(kGoldenDir + "/dictionary", nullptr, &dictionary);
  ASSERT_EQ(report.files_read, 3);
  DictionarySubstitutions substitutions(dictionary);

  int cases = 0;
  for (const auto& entry : std::filesystem::directory_iterator(kGoldenDir)) {
    if (entry.path().extension() != ".in") continue;
    std::string base = entry.path().string();
    base.resize(base.size() - 3);
    std::istringstream options(ReadOrFail(base + ".options"));
    bool paragraphs = false;
    LineOptions line_options{.skip_tags = false, .cyrillic = false};
    for (std::string option; options >> option;) {
      if (option == "paragraphs") paragraphs = true;
      if (option == "skip-tags") line_options.skip_tags = true;
      if (option == "cyrillic") line_options.cyrillic = true;
    }
    std::string working_copy = MakeWorkingCopy(ReadOrFail(base + ".in"), paragraphs);
    LineTranslator translator(substitutions, line_options);
    FolderPassState state;
    NoStop hooks;
    std::string output;
    ASSERT_EQ(TranslateText(working_copy, translator, state, hooks, &output),
              FileOutcome::kTranslated);
    EXPECT_EQ(output, ReadOrFail(base + ".expected")) << base;
    ++cases;
  }
  EXPECT_GE(cases, 5);
}

}  // namespace
}  // namespace lorvan
