#include "bench/ratio_table.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <ostream>

namespace bench {

RatioTable::RatioTable(std::vector<std::string> columns, std::string reference)
    : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular),
      columns_(std::move(columns)),
      reference_(std::move(reference)) {}

void RatioTable::ReportRuns(const std::vector<Run> &runs) {
  ConsoleReporter::ReportRuns(runs);
  for (const Run &run : runs) {
    // With repetitions the median stands for the size; a single run stands alone.
    const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
    if (run.error_occurred || !(single || run.aggregate_name == "median")) continue;
    const std::string &name = run.run_name.function_name;
    const std::size_t slash = name.find('/');
    if (slash == std::string::npos) continue;
    const std::string kind = name.substr(0, slash), size = name.substr(slash + 1);
    if (std::find(sizes_.begin(), sizes_.end(), size) == sizes_.end()) sizes_.push_back(size);
    cells_[size][kind] = run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
  }
}

void RatioTable::Finalize() {
  std::ostream &out = GetOutputStream();
  char cell[64];
  out << "\nCPU time of a frame: " << reference_ << " in microseconds, the others as multiples of it\n";
  std::snprintf(cell, sizeof cell, "%-11s", "size");
  out << cell;
  for (const std::string &kind : columns_) {
    std::snprintf(cell, sizeof cell, " %12s", kind.c_str());
    out << cell;
  }
  out << '\n';
  for (const std::string &size : sizes_) {
    const auto &row = cells_[size];
    const auto reference = row.find(reference_);
    std::snprintf(cell, sizeof cell, "%-11s", size.c_str());
    out << cell;
    for (const std::string &kind : columns_) {
      const auto found = row.find(kind);
      if (found == row.end() || reference == row.end())
        std::snprintf(cell, sizeof cell, " %12s", "-");
      else if (kind == reference_)
        std::snprintf(cell, sizeof cell, " %10.2fus", found->second * 1e6);
      else
        std::snprintf(cell, sizeof cell, " %11.2fx", found->second / reference->second);
      out << cell;
    }
    out << '\n';
  }
  ConsoleReporter::Finalize();
}

}  // namespace bench
