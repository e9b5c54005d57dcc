// The console report, followed by the frames' CPU times as a table: one row
// per display size, one column per kind of frame, each as a multiple of the
// memset of the same pixels measured in the same run.
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace bench {

class RatioTable : public benchmark::ConsoleReporter {
 public:
  // Benchmarks are named "KIND/SIZE"; `columns` are the kinds in table order,
  // `reference` the one the others are divided by.
  // Coloured on a terminal, as the library's own report is.
  RatioTable(std::vector<std::string> columns, std::string reference);

  void ReportRuns(const std::vector<Run> &runs) override;
  void Finalize() override;

 private:
  std::vector<std::string> columns_;
  std::string reference_;
  std::vector<std::string> sizes_;                              // in the order first met
  std::map<std::string, std::map<std::string, double>> cells_;  // size, kind: seconds a frame
};

}  // namespace bench
