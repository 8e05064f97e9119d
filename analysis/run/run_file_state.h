#pragma once
// The freshness record of a run (wynik_stan.txt): what its result was made
// from, so that a later operation can tell whether the installation changed.

#include "analysis/shared/run_state.h"
#include "format/file_state.h"
#include "format/provenance_file.h"

#include <string>
#include <vector>

namespace ferwis {

// Writes the record of the result of digest, record by record (a large
// installation's paths are not gathered a second time): the selected
// sceneries, every file read with its stamp, and every file looked for and
// missed. A file read is stamped as it stood when the run opened it.
void write_state(const RunState& run, const std::vector<std::string>& selected,
                 const std::string& result_path, const ResultDigest& digest);

} // namespace ferwis
