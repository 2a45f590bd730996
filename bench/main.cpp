// Runs every benchmark, then prints, for each pair named "<Case>/Fast" and "<Case>/Reference",
// how many times faster the fast path is than the literal reference: by bytes per second when
// both report them, else by time per iteration.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

namespace {

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Iteration || run.iterations == 0) continue;
      std::string name = run.benchmark_name();
      std::size_t slash = name.find('/');
      if (slash == std::string::npos) continue;
      std::string kind = name.substr(slash + 1, name.find('/', slash + 1) - slash - 1);
      // Seconds per unit of work: per byte when the run counts bytes, else per iteration.
      double cost = run.GetAdjustedRealTime();
      auto bytes = run.counters.find("bytes_per_second");
      if (bytes != run.counters.end() && bytes->second.value > 0) cost = 1.0 / bytes->second.value;
      if (kind == "Fast") fast_[name.substr(0, slash)] = cost;
      if (kind == "Reference") reference_[name.substr(0, slash)] = cost;
    }
  }

  void PrintRatios() const {
    if (fast_.empty()) return;
    std::printf("\n%-32s %14s\n", "case", "fast/reference");
    for (const auto& [name, fast] : fast_) {
      auto it = reference_.find(name);
      if (it == reference_.end() || fast <= 0) continue;
      std::printf("%-32s %13.1fx\n", name.c_str(), it->second / fast);
    }
  }

 private:
  std::map<std::string, double> fast_;
  std::map<std::string, double> reference_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatios();
  benchmark::Shutdown();
  return 0;
}
