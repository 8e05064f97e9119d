#pragma once
// The answer to "why is this file in this category": the result file read
// together with its provenance file, each record with the first place that
// named its file, and the chain of such places up to a selected scenery.

#include "format/provenance_file.h"
#include "format/result_code.h"
#include "format/result_record.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace ferwis {

class ResultProvenance {
public:
    // Reads the result file and its provenance file. Nothing when either cannot
    // be read or the provenance file belongs to another content of the result
    // file: a result without valid provenance is shown as it always was.
    static std::optional<ResultProvenance> load(std::string_view result_path);

    std::size_t size() const { return records_.size(); }
    const ResultRecord& record(std::size_t row) const { return records_[row]; }

    // The first record whose path equals path as records compare: letter case
    // aside, "\" read as "/".
    std::optional<std::size_t> find(std::string_view path) const;

    // The first place that named the file of the row, or nothing (unused files
    // and exceptions have none).
    const SourcePlace* place(std::size_t row) const;

    // The places from the row's own place up to the scenery that was selected,
    // nearest first. The chain ends at a place whose file has no place of its
    // own (a selected scenery, or a rolling-stock definition file, which the
    // result does not list).
    std::vector<SourcePlace> chain(std::size_t row) const;

private:
    std::vector<ResultRecord> records_;
    std::vector<std::uint32_t> place_of_row_; // index into places_ + 1, 0 for none
    std::vector<SourcePlace> places_;
    // The hash of each record's path as records compare, with its row, in
    // order: a large result is indexed without a string per record.
    std::vector<std::pair<std::uint64_t, std::uint32_t>> rows_by_hash_;
};

// The records of one code whose files one file's reading named: a selected
// scenery (at the end of each record's chain) or a rolling-stock definition
// file. The file is empty for records without a place.
struct OriginGroup {
    std::string file;
    std::vector<std::size_t> rows; // in the result's order
};

// The records of code grouped by that file, the groups in the order of their
// first record.
std::vector<OriginGroup> group_by_origin(const ResultProvenance& provenance, ResultCode code);

// "file:line", "file" for a place without lines, or the text for a selected scenery.
std::string place_text(const SourcePlace& place);

// The code and path of the row, then one line "  <- place" per step of its
// chain, each line ending with a line feed (Windows-1250).
std::string chain_text(const ResultProvenance& provenance, std::size_t row);

} // namespace ferwis
