#pragma once
// The freshness record of a run (wynik_stan.txt): what its result was made
// from, so that a later operation can tell whether the installation changed.

#include "analysis/shared/run_state.h"
#include "format/file_state.h"
#include "format/provenance_file.h"

#include <exception>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace ferwis {

// The stamps of the files read, taken on a thread of its own: its status call
// per file read then lies beside the writing of the result instead of after it.
class ReadStampsBeside {
public:
    explicit ReadStampsBeside(const RunState& run);

    // Waits for the stamps (or takes them here, when no thread could be had);
    // a failure of the thread is thrown here. None for a file that is no
    // regular file now, nor for a file read before under the same path.
    std::vector<std::optional<FileStamp>> take();

private:
    const RunState& run_;
    std::vector<std::optional<FileStamp>> stamps_;
    std::exception_ptr failure_;
    std::jthread worker_; // last: joined before the members it writes go
};

// Writes the record of the result of digest, record by record (a large
// installation's paths are not gathered a second time): the selected
// sceneries, every file read with its stamp, and every file looked for and
// missed.
void write_state(const RunState& run, const std::vector<std::string>& selected,
                 const std::string& result_path, const ResultDigest& digest,
                 const std::vector<std::optional<FileStamp>>& stamps);

} // namespace ferwis
