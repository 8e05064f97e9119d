#pragma once
// The list of every file of the content directories during one analysis run.

#include "format/result_code.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace ferwis {

struct FileEntry {
    std::string path; // full path as listed; lower case for a missing file
    ResultCode code = ResultCode::N;
    bool model_read = false;     // the model's contents were read in this run
    std::uint32_t cache_row = 0; // row of the include parameter cache, 0 for none
};

struct PackageInventory {
    // Listed rows first, in ascending order of the one comparison; the rows of
    // missing files (code B) are appended behind them in the order recorded.
    std::vector<FileEntry> rows;
    std::size_t listed = 0; // number of listed rows (the inventory row count)
};

} // namespace ferwis
