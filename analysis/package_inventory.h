#pragma once
// The package inventory: every file of the content folders during one analysis
// run, with the category the run gives it, and the rows of the missing files
// that the sceneries name. It keeps its own order: the listed rows ascend under
// the one comparison, the missing-file rows follow them in the order recorded,
// and every change of a row goes through the marks below.

#include "analysis/listed_index.h"
#include "format/result_code.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace ferwis {

struct FileEntry {
    std::string path; // full path as listed; lower case for a missing file
    ResultCode code = ResultCode::N;
    bool model_read = false; // the model's contents were read in this run
};

// A run of rows, [first, last).
struct RowRange {
    std::size_t first = 0;
    std::size_t last = 0;
};

class PackageInventory {
public:
    // An inventory with nothing listed.
    PackageInventory() = default;

    // Lists the files, each with code N. The paths must ascend under the one
    // comparison (names that differ only in case next to each other); throws
    // std::invalid_argument when they do not.
    explicit PackageInventory(std::vector<std::string> listed_paths);

    // Every row: the listed rows, then the missing-file rows (code B).
    std::span<const FileEntry> rows() const { return rows_; }
    const FileEntry& row(std::size_t index) const { return rows_[index]; }
    std::size_t listed_count() const { return listed_; }
    std::span<const FileEntry> listed_rows() const { return rows().first(listed_); }
    std::span<const FileEntry> missing_rows() const { return rows().subspan(listed_); }

    // The listed row whose path equals path under the one comparison: of names
    // that differ only in case, the first in sort order. Missing-file rows are
    // never found.
    std::optional<std::size_t> find(std::string_view path) const;

    // The listed rows whose paths begin with prefix under the one comparison.
    RowRange listed_with_prefix(std::string_view prefix) const;

    // Marks a listed row used (U), and with it every row whose name differs from
    // it only in case: on a case-sensitive file system the simulator may open any
    // of them, so none may be offered as unused. Returns whether the row was not
    // U before.
    bool mark_used(std::size_t row);

    // Marks a listed row and its case-only twins as sounds of rolling stock
    // (UD), each unless it is U already.
    void mark_rolling_stock_sound(std::size_t row);

    // Gives a listed row that is still unused (N) the code; returns whether it
    // did. A row that the run already decided keeps its code.
    bool mark_if_unused(std::size_t row, ResultCode code);

    // Marks the model at a listed row as read; returns false when it was read
    // earlier in the run.
    bool mark_model_read(std::size_t row);

    // Appends a row B for a missing file, its path in lower case, unless one
    // with that path is recorded already. Returns whether it appended.
    bool record_missing(std::string path);

private:
    RowRange case_twins(std::size_t row) const;

    std::vector<FileEntry> rows_;
    std::size_t listed_ = 0;
    ListedIndex index_;
    // The paths of the missing-file rows, so that "already recorded" needs no
    // scan of those rows.
    std::unordered_set<std::string> recorded_missing_;
};

} // namespace ferwis
