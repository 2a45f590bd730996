// Whole files through the built program, compared byte for byte with the expected output.
// Every NAME.in in the golden folder is translated with the arguments in NAME.args and the
// dictionary in golden/dictionary; NAME.expected holds the result.
#include <filesystem>

#include "tests/cli/cli_fixture.h"

namespace lorvan {
namespace {

TEST_F(CliTest, GoldenFilesComeOutAsExpected) {
  const std::string golden = LORVAN_GOLDEN_DIR;
  int cases = 0;
  for (const auto& entry : std::filesystem::directory_iterator(golden)) {
    if (entry.path().extension() != ".in") continue;
    const std::string base = entry.path().string().substr(0, entry.path().string().size() - 3);
    std::string input, args, expected;
    ASSERT_TRUE(ReadFileBytes(base + ".in", &input).ok());
    ASSERT_TRUE(ReadFileBytes(base + ".args", &args).ok());
    ASSERT_TRUE(ReadFileBytes(base + ".expected", &expected).ok());
    Put("case.txt", input);
    Result r = RunDefault("-q " + args.substr(0, args.find('\n')) + " case.txt");
    EXPECT_EQ(r.exit_code, 0) << base << ": " << r.err;
    EXPECT_EQ(Get("case_hr.txt"), expected) << base;
    ++cases;
  }
  EXPECT_GE(cases, 12);
}

}  // namespace
}  // namespace lorvan
