// What lies beyond the system's limits is reported, file by file, and the run goes on.
#include <unistd.h>

#include "tests/cli/cli_fixture.h"

namespace lorvan {
namespace {

TEST_F(CliTest, DeepTreesAndHugeFilesAreReported) {
  // 25 levels of 200-letter names: deeper than a path can name.
  ASSERT_EQ(Script("n=$(printf 'x%.0s' $(seq 200)); mkdir d && cd d || exit 1\n"
                   "for i in $(seq 25); do mkdir $n && cd $n || exit 1; done; echo hleb >a.txt\n"),
            0);
  Put("top.txt", "hleb");
  Result r = Run("-q -r");
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_NE(r.err.find(": File name too long"), std::string::npos) << r.err;
  EXPECT_EQ(Get("top_hr.txt"), "kruh\r\n");
  ASSERT_EQ(Script("rm -rf d"), 0);  // rm goes deeper than the test's own clean-up

  // A sanitizer build ends the program on an allocation this large, as it should.
  if (kSanitized) return;
  Put("huge.txt", "");
  ASSERT_EQ(::truncate(Path("huge.txt").c_str(), off_t{1} << 40), 0);  // 1 TiB, sparse
  r = Run("-q huge.txt top.txt");
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_NE(r.err.find("premalo memorije za ./huge.txt"), std::string::npos) << r.err;
  EXPECT_FALSE(Exists("huge_hr.txt"));
}

}  // namespace
}  // namespace lorvan
