// lorvan-cli: translates Serbian text files into Croatian from the command line, with the
// options of the window's check boxes.
#include <signal.h>
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cctype>
#include <climits>
#include <cstring>
#include <iostream>
#include <map>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "cli/stream_filter.h"
#include "cli/terminal_front_end.h"
#include "common/processors.h"
#include "common/text_file.h"
#include "dictionary/load.h"
#include "dictionary/statistics.h"
#include "encoding/utf8_text.h"
#include "encoding/display_text.h"
#include "engine/substitutions.h"
#include "run/block_translator.h"
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
  int jobs = lorvan::ProcessorCount();
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

// Takes one of choices' names, in any case, as its value; a wrong name is answered with the
// names that are accepted.
template <typename T>
CLI::Validator OneOf(const std::map<std::string, T>& choices) {
  std::string names;
  for (const auto& [name, value] : choices) names += (names.empty() ? "" : ", ") + name;
  return CLI::Validator(
      [&choices, names](std::string& input) -> std::string {
        std::string folded = input;
        std::transform(folded.begin(), folded.end(), folded.begin(),
                       [](unsigned char c) { return std::tolower(c); });
        const auto it = choices.find(folded);
        if (it == choices.end()) return "'" + input + "' is not one of: " + names;
        input = std::to_string(static_cast<int>(it->second));
        return {};
      },
      "");
}

void DefineOptions(CLI::App& app, CliOptions& o) {
  app.add_option("-C,--folder", o.folder, "folder of the run (default: the current folder)")
      ->type_name("DIR")
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
  app.add_option("NAME", o.names,
                 "files to translate, by name in the folder or by path: none takes every file "
                 "that matches the mask, one takes that file, several take those names (with -r "
                 "also in every subfolder); each file is translated in its own folder");
  app.add_option("-m,--mask", o.mask, "file mask, \"*\" and \"?\" wildcards, \";\" between masks")
      ->type_name("MASK")
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast)
      ->capture_default_str();
  app.add_flag("-r,--subfolders", o.settings.subfolders,
               "also translate what lies in all subfolders (\"Kroz sve poddirektorije\")");
  app.add_flag("-s,--same-name", o.settings.same_name,
               "write the result over the input, replaced only when finished "
               "(\"Spremi pod istim imenom\")");
  app.add_flag("-b,--backup", o.settings.backup,
               "with -s, keep each original as NAME~ (\"Sačuvaj izvornik kao NAZIV~\")");
  app.add_option("--suffix", o.settings.backup_suffix, "the ending of backups (default \"~\")")
      ->type_name("SUFFIX")
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
  app.add_option("-o,--output-dir", o.settings.output_dir,
                 "write the outputs under DIR (in the layout of the folders walked) instead of "
                 "beside their inputs")
      ->type_name("DIR")
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
  app.add_flag("--binary", o.settings.binary,
               "also translate files that look binary (a NUL byte among their first 8 KiB), "
               "which are skipped otherwise");
  app.add_flag("--follow-links", o.settings.follow_links,
               "with -r, also walk links to folders that lie within the folder of the run");
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
      ->transform(OneOf(kEncodings))
      ->default_str("auto");
  app.add_option("--line-ends", o.settings.line_ends,
                 "line ends of the output: keep (each line as it ended in the input), crlf or lf")
      ->type_name("END")
      ->transform(OneOf(kLineEnds))
      ->default_str("keep");
  app.add_flag("--byte-exact", o.settings.byte_exact,
               "the original byte handling instead: Windows-1250 bytes throughout, UTF-8 "
               "Croatian letters converted in place, CR LF after every line (LF on standard "
               "output)");
  app.add_option("-j,--jobs", o.jobs,
                 "translate up to N files of a folder, or blocks of a file or of standard input, "
                 "at once (default: the processors it may run on); the outputs are the same as "
                 "with -j 1")
      ->type_name("N")
      ->check(CLI::Range(1, 1024))
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
  // Not in the help: blocks of a few bytes let the tests cut small files as large ones are cut.
  app.add_option("--block-bytes", o.settings.block_bytes, "bytes of a file taken at once")
      ->check(CLI::PositiveNumber)
      ->group("");
  app.add_option("-d,--dictionary", o.dictionary,
                 "folder of 1_rjecnik.txt, 2_fraze.txt, 3_imena.txt and, if there, "
                 "4_modalni.txt (default: the folder of this program)")
      ->type_name("DIR")
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
  app.add_flag("--stdin", o.from_stdin,
               "translate standard input to standard output, line by line");
  app.add_flag("--stats", o.stats,
               "print the word pairs per letter and the total (\"Statistika parova\"), then exit");
  app.add_flag("-y,--yes", o.yes,
               "answer Yes when asked whether to go on after a write-protected file");
  app.add_flag("-q,--quiet", o.quiet,
               "no progress and no warnings about skipped dictionary lines; problems are still "
               "reported");
  app.set_version_flag("--version", "lorvan-cli " LORVAN_VERSION);
}

// A dictionary file that could not be read, as the system words it ("PATH: No such file or
// directory"); the path is the system's bytes, shown as they are.
void ReportUnreadable(const lorvan::LoadIssue& issue) {
  std::cerr << "lorvan-cli: " << lorvan::TerminalSafe(issue.detail) << "\n";
}

// Loads the dictionary and reports what could not be loaded: an unreadable file always, a
// skipped or doubtful line unless quiet. False when no file could be read.
bool LoadDictionaryFor(const CliOptions& o, lorvan::Dictionary* dictionary) {
  lorvan::LoadReport report = lorvan::LoadDictionary(o.dictionary, nullptr, dictionary);
  if (report.files_read == 0) {
    std::cerr << "lorvan-cli: no dictionary file could be read in "
              << lorvan::TerminalSafe(o.dictionary) << "\n";
    for (const auto& issue : report.issues) ReportUnreadable(issue);
    return false;
  }
  for (const auto& issue : report.issues) {
    if (issue.kind == lorvan::LoadIssue::Kind::kFileUnreadable) {
      ReportUnreadable(issue);
    } else if (!o.quiet) {
      std::cerr << "lorvan-cli: upozorenje: "
                << lorvan::TerminalSafe(Printable(lorvan::DescribeLoadIssue(issue))) << "\n";
    }
  }
  return true;
}

// code, unless writing standard output failed: then that is reported and the status is 1.
int Finish(lorvan::FdOutput& out, int code) {
  out.flush();
  if (out.error() == 0) return code;
  std::cerr << "lorvan-cli: standard output: " << std::strerror(out.error()) << "\n";
  return kExitFailed;
}

int PrintStatistics(const lorvan::Dictionary& dictionary, lorvan::FdOutput& out) {
  lorvan::StatisticsTexts texts = lorvan::BuildStatisticsTexts(dictionary.words);
  out << Printable(texts.first) << Printable(texts.second)
      << Printable(lorvan::TotalText(dictionary.words)) << "\n";
  return Finish(out, 0);
}

int TranslateStandardInput(const CliOptions& o, const lorvan::Dictionary& dictionary,
                           lorvan::Substitutions& substitutions, lorvan::FdOutput& out) {
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
    out << lorvan::kUtf8Bom;
  }
  if (!format.byte_exact && !o.settings.convert_only && !o.settings.cyrillic &&
      format.encoding == lorvan::TextEncoding::kUtf8 && lorvan::IsMostlySerbianCyrillic(prefix))
    std::cerr << "lorvan-cli: warning: standard input is Serbian Cyrillic and is left "
                 "untranslated (translate it with --cyrillic)\n";

  const lorvan::LineOptions options = lorvan::LineOptionsFor(o.settings, o.settings.skip_tags);
  const bool cyrillic = !format.byte_exact && o.settings.cyrillic;
  // The filter of a thread that translates with translator.
  auto filter_for = [&](lorvan::LineTranslator& translator) {
    return o.settings.convert_only
               ? lorvan::ConvertingFilter(format)
               : lorvan::TranslatingFilter(translator, o.settings.paragraphs, cyrillic, format);
  };
  lorvan::LineTranslator translator(substitutions, options);
  const lorvan::LineFilter filter = filter_for(translator);
  // Each further thread translates with substitutions and a translator of its own.
  std::vector<std::unique_ptr<lorvan::DictionarySubstitutions>> own_substitutions;
  std::vector<std::unique_ptr<lorvan::LineTranslator>> own_translators;
  const lorvan::StreamJobs jobs{
      .threads = o.jobs, .chunk_bytes = o.settings.block_bytes, .make_filter = [&] {
        if (o.settings.convert_only) return lorvan::ConvertingFilter(format);
        own_substitutions.push_back(std::make_unique<lorvan::DictionarySubstitutions>(dictionary));
        own_translators.push_back(
            std::make_unique<lorvan::LineTranslator>(*own_substitutions.back(), options));
        return filter_for(*own_translators.back());
      }};
  // A terminal's lines are answered one by one.
  const lorvan::StreamEnd end =
      terminal || o.jobs == 1
          ? lorvan::FilterStream(STDIN_FILENO, std::move(prefix), out, filter, g_stop, terminal)
          : lorvan::FilterStreamInParallel(STDIN_FILENO, std::move(prefix), out, filter, jobs,
                                           g_stop);
  if (end == lorvan::StreamEnd::kReadFailed) {
    std::cerr << "lorvan-cli: standard input: " << std::strerror(errno) << "\n";
    return Finish(out, kExitFailed);
  }
  if (end == lorvan::StreamEnd::kWriteFailed) return Finish(out, kExitFailed);
  if (g_interrupted) return Finish(out, kExitInterrupted);
  return Finish(out, end == lorvan::StreamEnd::kInputEnded ? 0 : kExitFailed);
}

// The named files grouped by folder: each group's folder (the run's folder, or the one a NAME
// with a "/" names) and the bare names in it, groups and names in the order given. An empty
// list of names gives the run's folder with no names.
std::vector<std::pair<std::string, std::vector<std::string>>> NamesByFolder(const CliOptions& o) {
  std::vector<std::pair<std::string, std::vector<std::string>>> groups;
  if (o.names.empty()) groups.push_back({o.folder, {}});
  for (const std::string& name : o.names) {
    const std::size_t slash = name.rfind('/');
    std::string folder = o.folder;
    if (slash != std::string::npos) {
      const std::string part = slash == 0 ? "/" : name.substr(0, slash);
      folder = part.front() == '/' ? part : lorvan::JoinPath(o.folder, part);
    }
    const std::string bare = slash == std::string::npos ? name : name.substr(slash + 1);
    auto group = std::find_if(groups.begin(), groups.end(),
                              [&](const auto& g) { return g.first == folder; });
    if (group == groups.end()) group = groups.insert(groups.end(), {folder, {}});
    group->second.push_back(bare);
  }
  return groups;
}

int TranslateFolder(const CliOptions& o, const lorvan::Dictionary& dictionary,
                    lorvan::Substitutions& substitutions) {
  for (const std::string& name : o.names) {
    const std::string bare = name.substr(name.rfind('/') + 1);
    if (bare.empty() || bare == "." || bare == "..") {
      std::cerr << "lorvan-cli: " << lorvan::TerminalSafe(name) << ": a NAME names a file\n";
      return kExitUsage;
    }
  }
  const auto groups = NamesByFolder(o);
  for (const auto& [folder, names] : groups) {
    lorvan::Status opened = lorvan::CheckFolderReadable(folder);
    if (!opened.ok()) {
      std::cerr << "lorvan-cli: " << lorvan::TerminalSafe(opened.message()) << "\n";
      return kExitUsage;
    }
  }

  lorvan::RunTally total;
  for (const auto& [folder, names] : groups) {
    lorvan::TerminalFrontEnd front_end({.quiet = o.quiet,
                                        .progress = isatty(STDERR_FILENO) != 0,
                                        .always_yes = o.yes,
                                        .can_ask = isatty(STDIN_FILENO) != 0,
                                        .folder = folder},
                                       g_stop);
    lorvan::DiskFileSystem files;
    lorvan::RunDriver driver({substitutions, o.settings, front_end, files}, names, o.mask);
    driver.TranslateInParallel(o.jobs, [&dictionary] {
      return std::make_unique<lorvan::DictionarySubstitutions>(dictionary);
    });
    const lorvan::RunTally tally = driver.TranslateFolder(folder);
    total.files_seen += tally.files_seen;
    total.files_failed += tally.files_failed;
    if (tally.stopped || tally.aborted || g_interrupted) {
      total.stopped = true;
      break;
    }
  }
  if (g_interrupted) return kExitInterrupted;
  if (total.files_seen == 0) {
    std::cerr << "lorvan-cli: no file in " << lorvan::TerminalSafe(o.folder) << " matches "
              << lorvan::TerminalSafe(o.mask) << (o.settings.subfolders ? " (with its subfolders)" : "")
              << "\n";
    return kExitFailed;
  }
  if (total.files_failed > 0 || total.stopped) return kExitFailed;
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"Lorvan: translates Serbian text files into Croatian.", "lorvan-cli"};
  CliOptions o;
  DefineOptions(app, o);
  lorvan::FdOutput out(STDOUT_FILENO);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    int code = app.exit(e, out, std::cerr);
    return Finish(out, code == 0 ? 0 : kExitUsage);
  }
  o.settings.skip_tags = !o.translate_tags;
  o.settings.paragraphs = !o.no_paragraphs;

  lorvan::Dictionary dictionary;
  if (!LoadDictionaryFor(o, &dictionary)) return kExitUsage;
  if (o.stats) return PrintStatistics(dictionary, out);

  CatchInterrupt();
  lorvan::DictionarySubstitutions substitutions(dictionary);
  try {
    if (o.from_stdin) return TranslateStandardInput(o, dictionary, substitutions, out);
    return TranslateFolder(o, dictionary, substitutions);
  } catch (const std::bad_alloc&) {
    // A file too large for memory fails on its own; this is standard input with a line that is.
    std::cerr << "lorvan-cli: standard input: premalo memorije (a line longer than memory "
                 "allows)\n";
    return kExitFailed;
  }
}
