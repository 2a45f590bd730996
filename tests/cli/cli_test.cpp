// The command-line program run as users and scripts run it, on real files.
#include <sys/stat.h>

#include "tests/cli/cli_fixture.h"

namespace lorvan {
namespace {

TEST_F(CliTest, TranslatesAFolderAndItsSubfolders) {
  Put("a.txt", "Hleb i voz.\r\n");
  Put("sub/b.htm", "<p title=\"hleb\">hleb</p><p>voz</p>\n");
  Result r = Run("-r -q");
  EXPECT_EQ(r.exit_code, 0) << r.err;
  EXPECT_EQ(Get("a_hr.txt"), "Kruh i vlak.\r\n");
  EXPECT_EQ(Get("sub/b_hr.htm"), "<p title=\"hleb\">kruh</p>\r\n<p>vlak</p>\r\n");

  r = Run("-m '*.htm' -r -q --translate-tags --no-paragraphs -s");
  EXPECT_EQ(r.exit_code, 0) << r.err;
  EXPECT_EQ(Get("sub/b.htm"), "<p title=\"kruh\">kruh</p><p>vlak</p>\r\n");
  EXPECT_EQ(Get("a.txt"), "Hleb i voz.\r\n");
}

TEST_F(CliTest, TranslatesOnlyTheNamedFiles) {
  Put("a.txt", "hleb");
  Put("b.txt", "hleb");
  Put("c.txt", "hleb");
  Result r = Run("-q a.txt c.txt");
  EXPECT_EQ(r.exit_code, 0) << r.err;
  EXPECT_TRUE(Exists("a_hr.txt"));
  EXPECT_FALSE(Exists("b_hr.txt"));
  EXPECT_TRUE(Exists("c_hr.txt"));
}

TEST_F(CliTest, ConvertsCyrillicWithoutTranslating) {
  Put("c.txt", "\xd0\xa5\xd0\xbb\xd0\xb5\xd0\xb1\r\n");
  Result r = Run("-q --convert");
  EXPECT_EQ(r.exit_code, 0) << r.err;
  EXPECT_EQ(Get("c_sr.txt"), "Hleb\r\n\r\n");
  r = Run("-q --cyrillic c.txt");
  EXPECT_EQ(Get("c_hr.txt"), "Kruh\r\n");

  // A final bare LF ends the last line, as when translating; an inner one stays in its line.
  Put("c.txt", "\xd0\xa5\xd0\xbb\xd0\xb5\xd0\xb1\na\n");
  r = Run("-q --convert");
  EXPECT_EQ(Get("c_sr.txt"), "Hleb\na\r\n\r\n");
  r = Run("--stdin --convert", "\xd0\xa5\xd0\xbb\xd0\xb5\xd0\xb1 hleb\r\n");
  EXPECT_EQ(r.out, "Hleb hleb\n");
}

TEST_F(CliTest, FiltersStandardInput) {
  Result r = Run("--stdin", "Da li je hleb skup?\r\n<b title=\"hleb\nhleb\">hleb\n\nx</p><p>voz");
  EXPECT_EQ(r.exit_code, 0) << r.err;
  EXPECT_EQ(r.out, "Je li je kruh skup?\n<b title=\"hleb\nhleb\">kruh\n\nx</p>\n<p>vlak\n");

  // CR LF, CR and LF each end one line, also where a CR and a CR LF follow an LF.
  r = Run("--stdin", "hleb\n\r\r\nvoz\rhleb\r");
  EXPECT_EQ(r.out, "kruh\n\n\nvlak\nkruh\n");
}

TEST_F(CliTest, KeepsTheInputsEncodingAndLineEnds) {
  // Standard input: UTF-8 in, UTF-8 out, each line end as it came, no end added.
  Result r = RunDefault("--stdin", "Hiljada \xe2\x80\x9chleb\xe2\x80\x9d \xf0\x9f\x98\x80\r\nvoz");
  EXPECT_EQ(r.out, "Tisu\xc4\x87" "a \xe2\x80\x9ckruh\xe2\x80\x9d \xf0\x9f\x98\x80\r\nvlak");
  r = RunDefault("--stdin --encoding windows-1250 --line-ends lf", "Hiljada\r\n");
  EXPECT_EQ(r.out, "Tisu\xe6" "a\n");
  EXPECT_EQ(RunDefault("--encoding latin1").exit_code, 2);

  // A Cyrillic file translated without the Cyrillic option is named, not passed over.
  Put("c.txt", "\xd0\xa5\xd0\xbb\xd0\xb5\xd0\xb1\n");
  r = RunDefault("c.txt");
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_NE(r.err.find("c.txt is Serbian Cyrillic"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("--cyrillic"), std::string::npos) << r.err;
  EXPECT_EQ(Get("c_hr.txt"), "\xd0\xa5\xd0\xbb\xd0\xb5\xd0\xb1\n");
}

TEST_F(CliTest, CopiesLinksUnlessAskedToTranslateThem) {
  Put("a.txt", "hleb: hleb.rs/voz, voz@reka.rs\n");
  EXPECT_EQ(RunDefault("-q a.txt").exit_code, 0);
  EXPECT_EQ(Get("a_hr.txt"), "kruh: hleb.rs/voz, voz@reka.rs\n");
  EXPECT_EQ(RunDefault("--stdin", "hleb.rs/voz hleb\n").out, "hleb.rs/voz kruh\n");
  EXPECT_EQ(RunDefault("--stdin --translate-links", "hleb.rs/voz\n").out, "kruh.rs/vlak\n");
  EXPECT_EQ(Run("--stdin", "hleb.rs/voz\n").out, "kruh.rs/vlak\n");
}

TEST_F(CliTest, PrintsTheStatistics) {
  Result r = Run("--stats");
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_NE(r.out.find(" H = 3\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\n \xc4\x8c\xc4\x86\xc5\xa0\xc5\xbd = 0\n"), std::string::npos);
  EXPECT_NE(r.out.find("Ukupno parova:  6\n"), std::string::npos);
}

TEST_F(CliTest, ExitStatusSaysWhatWentWrong) {
  Put("a.txt", "hleb");
  Result r = Run("-q a.txt nema.txt");
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_NE(r.err.find("Datoteka ./nema.txt ne postoji"), std::string::npos) << r.err;
  EXPECT_TRUE(Exists("a_hr.txt"));
  EXPECT_FALSE(Exists("nema_hr.txt"));

  EXPECT_EQ(Run("--no-such-option").exit_code, 2);
  EXPECT_EQ(Run("sub/a.txt").exit_code, 2);
  EXPECT_EQ(Run("-C nowhere").exit_code, 2);
  r = Run("-d /nonexistent-folder");
  EXPECT_EQ(r.exit_code, 2);  // the later -d wins
  EXPECT_NE(r.err.find("no dictionary file"), std::string::npos) << r.err;

  r = Run("--help");
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_NE(r.out.find("Kroz sve poddirektorije"), std::string::npos);
}

TEST_F(CliTest, CtrlCEndsTheRunWithStatus130) {
  ASSERT_EQ(::mkfifo((dir_.path() + "/fifo").c_str(), 0600), 0);
  Put("interrupt.sh", "'" + kCli + "' -d '" + kDictionary +
                          "' --stdin <fifo >out &\n"
                          "pid=$!\n"
                          "exec 3>fifo\n"
                          "printf 'hleb\\n' >&3\n"
                          "sleep 0.5\n"
                          "kill -INT $pid\n"
                          "wait $pid\n"
                          "echo $? >status\n");
  std::string command = "cd '" + dir_.path() + "' && timeout 20 bash interrupt.sh";
  ASSERT_EQ(std::system(command.c_str()), 0);
  EXPECT_EQ(Get("status"), "130\n");
  EXPECT_EQ(Get("out"), "kruh\n");
}

}  // namespace
}  // namespace lorvan
