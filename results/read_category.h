#pragma once

#include "format/result_code.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ferwis {

// Entries List1 can hold; further matching records are counted, not listed.
inline constexpr std::size_t kResultListLimit = 32767;

struct CategoryListing {
    std::vector<std::string> paths; // the first `limit` matching paths, in file order
    std::size_t count = 0;          // every matching record
    bool list_full = false;         // more records matched than the list holds
};

// Reads the records of the result file whose code equals code. Returns nothing
// when the file is shorter than 4 bytes. An empty code matches no record.
// Throws DisplayFailure when the file is missing, no regular file or cannot
// be read.
std::optional<CategoryListing> read_category(std::string_view result_path,
                                             std::optional<ResultCode> code,
                                             std::size_t limit = kResultListLimit);

// The records of the result file per category, indexed by the ResultCode; a
// record with any other code counts nowhere. Throws DisplayFailure as
// read_category does; a file shorter than 4 bytes counts nothing.
std::array<std::size_t, kAllCategories.size()> count_categories(std::string_view result_path);

// The clipboard text of the selected entries, given in list order: CR LF between
// them, none after the last.
std::string clipboard_text(const std::vector<std::string>& selected_entries);

} // namespace ferwis
