#pragma once
// The machine-readable report of one analysis run.

#include "analysis/run/run_analysis.h"

#include <ctime>
#include <string>
#include <vector>

namespace ferwis {

struct JsonRun {
    std::string main_dir;
    std::vector<std::string> selected;
    std::time_t started = 0;
    std::string result_path;
};

// Writes the report of the run to path: the run, the totals per category and
// every record of the result file with the size of its file and the first place
// that named it. Text goes out as UTF-8. The report replaces an earlier one
// whole or not at all. Throws FileError when the result file cannot be read or
// the report cannot be written.
void write_json_report(const std::string& path, const JsonRun& run, const RunTotals& totals);

} // namespace ferwis
