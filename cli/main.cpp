// lorvan-cli: translates Serbian text files into Croatian from the command line, with the
// options of the window's check boxes.
#include <signal.h>
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <climits>
#include <cstring>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "cli/stream_filter.h"
#include "cli/terminal_front_end.h"
#include "common/text_file.h"
#include "dictionary/load.h"
#include "dictionary/statistics.h"
#include "encoding/utf8_text.h"
#include "encoding/display_text.h"
#include "engine/substitutions.h"
#include "run/file_system.h"
#include "run/folder_reader.h"
#include "run/run_driver.h"

namespace {

constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;
constexpr int kExitInterrupted = 130;

lorvan::StopFlag g_stop;
volatile sig_atomic_t g_interrupted = 0;

// Ctrl-C: the run ends before its next line; a second Ctrl-C ends the program at once.
void OnInterrupt(int) {
  g_stop.Set();
  g_interrupted = 1;
  signal(SIGINT, SIG_DFL);
}

void CatchInterrupt() {
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  action.sa_flags = 0;  // no SA_RESTART: a blocked read of standard input returns
  sigaction(SIGINT, &action, nullptr);
}

// The folder that holds this program.
std::string ProgramFolder() {
  char path[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return ".";
  std::string exe(path, static_cast<std::size_t>(n));
  std::size_t slash = exe.rfind('/');
  return slash == 0 ? "/" : exe.substr(0, slash);
}

// Windows-1250 text with CR LF line ends, made fit for a UTF-8 terminal.
std::string Printable(const std::string& cp1250) {
  return lorvan::Cp1250ToUtf8(lorvan::CrLfToLf(cp1250));
}

struct CliOptions {
  std::string folder = ".";
  std::vector<std::string> names;
  std::string mask = "*.*";
  std::string dictionary = ProgramFolder();
  lorvan::RunSettings settings;
  bool translate_tags = false;
  bool no_paragraphs = false;
  bool from_stdin = false;
  bool stats = false;
  bool yes = false;
  bool quiet = false;
};

constexpr std::size_t kDetectionPrefix = 64 << 10;  // standard input read before deciding

const std::map<std::string, lorvan::EncodingChoice> kEncodings = {
    {"auto", lorvan::EncodingChoice::kAuto},
    {"utf-8", lorvan::EncodingChoice::kUtf8},
    {"windows-1250", lorvan::EncodingChoice::kWindows1250}};
const std::map<std::string, lorvan::LineEndChoice> kLineEnds = {
    {"keep", lorvan::LineEndChoice::kKeep},
    {"crlf", lorvan::LineEndChoice::kCrLf},
    {"lf", lorvan::LineEndChoice::kLf}};

void DefineOptions(CLI::App& app, CliOptions& o) {
  app.add_option("-C,--folder", o.folder, "folder of the run (default: the current folder)")
      ->type_name("DIR")
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
  app.add_option("NAME", o.names,
                 "bare file names in the folder: none takes every file that matches the mask, "
                 "one takes that file, several take those names (also in every subfolder)");
  app.add_option("-m,--mask", o.mask, "file mask, \"*\" and \"?\" wildcards, \";\" between masks")
      ->type_name("MASK")
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast)
      ->capture_default_str();
  app.add_flag("-r,--subfolders", o.settings.subfolders,
               "also translate what lies in all subfolders (\"Kroz sve poddirektorije\")");
  app.add_flag("-s,--same-name", o.settings.same_name,
               "write the result over the input, replaced only when finished "
               "(\"Spremi pod istim imenom\")");
  app.add_flag("--translate-tags", o.translate_tags,
               "translate the text inside HTML tags too (unchecks \"Zanemari tekst u HTML "
               "tagovima\")");
  app.add_flag("--translate-links", o.settings.translate_links,
               "translate web addresses, e-mail addresses and file paths in the text too (by "
               "default they are copied unchanged; always translated with --byte-exact)");
  app.add_flag("--no-paragraphs", o.no_paragraphs,
               "keep HTML paragraphs on their lines (unchecks \"Svaki HTML paragraf u novom "
               "redu\")");
  app.add_flag("--cyrillic", o.settings.cyrillic,
               "the input is Serbian Cyrillic in UTF-8; the output is written in UTF-8 "
               "(\"Prevedi tekst na ćirilici (UTF-8)\")");
  app.add_flag("--convert", o.settings.convert_only,
               "only convert Cyrillic to Latin letters, into \"_sr\" files "
               "(\"Konvertiraj ćirilicu u latinicu (UTF-8)\")");
  app.add_option("--encoding", o.settings.encoding,
                 "encoding of the files: auto (UTF-8 when a file has a byte-order mark or is valid "
                 "UTF-8 with a non-ASCII character, else Windows-1250), utf-8 or windows-1250; the "
                 "output keeps the file's encoding")
      ->type_name("ENC")
      ->transform(CLI::CheckedTransformer(kEncodings, CLI::ignore_case))
      ->default_str("auto");
  app.add_option("--line-ends", o.settings.line_ends,
                 "line ends of the output: keep (each line as it ended in the input), crlf or lf")
      ->type_name("END")
      ->transform(CLI::CheckedTransformer(kLineEnds, CLI::ignore_case))
      ->default_str("keep");
  app.add_flag("--byte-exact", o.settings.byte_exact,
               "the original byte handling instead: Windows-1250 bytes throughout, UTF-8 "
               "Croatian letters converted in place, CR LF after every line (LF on standard "
               "output)");
  app.add_option("-d,--dictionary", o.dictionary,
                 "folder of 1_rjecnik.txt, 2_fraze.txt and 3_imena.txt (default: the folder "
                 "of this program)")
      ->type_name("DIR")
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
  app.add_flag("--stdin", o.from_stdin,
               "translate standard input to standard output, line by line");
  app.add_flag("--stats", o.stats,
               "print the word pairs per letter and the total (\"Statistika parova\"), then exit");
  app.add_flag("-y,--yes", o.yes,
               "answer Yes when asked whether to go on after a write-protected file");
  app.add_flag("-q,--quiet", o.quiet, "no progress and no dictionary warnings");
}

// Loads the dictionary and reports what could not be loaded; false when no file could be read.
bool LoadDictionaryFor(const CliOptions& o, lorvan::Dictionary* dictionary) {
  lorvan::LoadReport report = lorvan::LoadDictionary(o.dictionary, nullptr, dictionary);
  if (report.files_read == 0) {
    std::cerr << "lorvan-cli: no dictionary file could be read in " << o.dictionary << "\n";
    for (const auto& issue : report.issues)
      std::cerr << "lorvan-cli: " << Printable(lorvan::DescribeLoadIssue(issue)) << "\n";
    return false;
  }
  if (!o.quiet) {
    for (const auto& issue : report.issues)
      std::cerr << "lorvan-cli: upozorenje: " << Printable(lorvan::DescribeLoadIssue(issue))
                << "\n";
  }
  return true;
}

int PrintStatistics(const lorvan::Dictionary& dictionary) {
  lorvan::StatisticsTexts texts = lorvan::BuildStatisticsTexts(dictionary.words);
  std::cout << Printable(texts.first) << Printable(texts.second)
            << Printable(lorvan::TotalText(dictionary.words)) << "\n";
  return 0;
}

int TranslateStandardInput(const CliOptions& o, const lorvan::Substitutions& substitutions) {
  // The encoding is decided from the first 64 KiB (all of a shorter input). Text typed on a
  // terminal is taken as it comes, in the terminal's UTF-8.
  const bool terminal = isatty(STDIN_FILENO) != 0;
  std::string prefix;
  if (!terminal && !lorvan::ReadPrefix(STDIN_FILENO, kDetectionPrefix, g_stop, &prefix)) {
    std::cerr << "lorvan-cli: standard input: " << std::strerror(errno) << "\n";
    return kExitFailed;
  }
  const bool at_end = prefix.size() < kDetectionPrefix && !g_stop.IsSet();
  const lorvan::EncodingChoice choice =
      terminal && o.settings.encoding == lorvan::EncodingChoice::kAuto
          ? lorvan::EncodingChoice::kUtf8
          : o.settings.encoding;
  lorvan::StreamFormat format{.byte_exact = o.settings.byte_exact,
                              .encoding = lorvan::StreamEncoding(prefix, at_end, choice),
                              .line_ends = o.settings.line_ends};
  if (!format.byte_exact && format.encoding == lorvan::TextEncoding::kUtf8 &&
      lorvan::HasUtf8Bom(prefix)) {
    prefix.erase(0, lorvan::kUtf8Bom.size());
    std::cout << lorvan::kUtf8Bom;
  }
  if (!format.byte_exact && !o.settings.convert_only && !o.settings.cyrillic &&
      format.encoding == lorvan::TextEncoding::kUtf8 && lorvan::IsMostlySerbianCyrillic(prefix))
    std::cerr << "lorvan-cli: warning: standard input is Serbian Cyrillic and is left "
                 "untranslated (translate it with --cyrillic)\n";

  const lorvan::LineOptions line_options =
      format.byte_exact
          ? lorvan::LineOptions{.skip_tags = o.settings.skip_tags, .cyrillic = o.settings.cyrillic}
          : lorvan::LineOptions{.skip_tags = o.settings.skip_tags,
                                .utf8_letters = false,
                                .skip_links = !o.settings.translate_links};
  lorvan::LineTranslator translator(substitutions, line_options);
  const lorvan::LineFilter filter =
      o.settings.convert_only
          ? lorvan::ConvertingFilter(format)
          : lorvan::TranslatingFilter(translator, o.settings.paragraphs,
                                      !format.byte_exact && o.settings.cyrillic, format);
  std::ios::sync_with_stdio(false);
  bool done =
      lorvan::FilterStream(STDIN_FILENO, std::move(prefix), std::cout, filter, g_stop, terminal);
  if (g_interrupted) return kExitInterrupted;
  return done && std::cout.good() ? 0 : kExitFailed;
}

int TranslateFolder(const CliOptions& o, const lorvan::Substitutions& substitutions) {
  for (const std::string& name : o.names) {
    if (name.empty() || name.find('/') != std::string::npos || name == "." || name == "..") {
      std::cerr << "lorvan-cli: " << name
                << ": a NAME is a bare file name in the folder (use -C)\n";
      return kExitUsage;
    }
  }
  lorvan::Status opened = lorvan::CheckFolderReadable(o.folder);
  if (!opened.ok()) {
    std::cerr << "lorvan-cli: " << opened.message() << "\n";
    return kExitUsage;
  }

  lorvan::TerminalFrontEnd front_end({.quiet = o.quiet,
                                      .progress = isatty(STDERR_FILENO) != 0,
                                      .always_yes = o.yes,
                                      .can_ask = isatty(STDIN_FILENO) != 0},
                                     g_stop);
  lorvan::DiskFileSystem files;
  lorvan::RunDriver driver({substitutions, o.settings, front_end, files}, o.names, o.mask);
  const lorvan::RunTally tally = driver.TranslateFolder(o.folder);
  if (g_interrupted) return kExitInterrupted;
  if (tally.files_failed > 0 || tally.stopped || tally.aborted) return kExitFailed;
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"Lorvan: translates Serbian text files into Croatian.", "lorvan-cli"};
  CliOptions o;
  DefineOptions(app, o);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    int code = app.exit(e);
    return code == 0 ? 0 : kExitUsage;
  }
  o.settings.skip_tags = !o.translate_tags;
  o.settings.paragraphs = !o.no_paragraphs;

  lorvan::Dictionary dictionary;
  if (!LoadDictionaryFor(o, &dictionary)) return kExitUsage;
  if (o.stats) return PrintStatistics(dictionary);

  CatchInterrupt();
  lorvan::DictionarySubstitutions substitutions(dictionary);
  if (o.from_stdin) return TranslateStandardInput(o, substitutions);
  return TranslateFolder(o, substitutions);
}
