#include "results/read_category.h"

#include "common/errors.h"
#include "common/file_system.h"
#include "common/text_compare.h"
#include "format/result_record.h"

namespace ferwis {

namespace {

// Reads every record of the result file into use. Returns false when the file
// is shorter than 4 bytes: it holds no records. A result that vanished while
// the window was open is said to be gone, not shown as an empty category.
template <typename Use> bool read_records(std::string_view result_path, Use use) {
    const auto size = file_size(result_path);
    if (!size || !file_exists(result_path)) {
        throw DisplayFailure(file_detail(result_path, text(Text::ReasonMissing)));
    }
    if (!holds_result(*size)) {
        return false;
    }
    try {
        RecordReader reader(result_path);
        ResultRecord record;
        while (reader.next(record)) {
            use(record);
        }
    } catch (const FileError& error) {
        throw DisplayFailure(error.what());
    }
    return true;
}

} // namespace

std::optional<CategoryListing> read_category(std::string_view result_path,
                                             std::optional<ResultCode> code, std::size_t limit) {
    CategoryListing listing;
    const bool read = read_records(result_path, [&](ResultRecord& record) {
        if (!code || !names_equal(record.code, code_text(*code))) {
            return;
        }
        ++listing.count;
        // Past the limit the category is still counted, so the count shows its full size.
        if (listing.paths.size() < limit) {
            listing.paths.push_back(std::move(record.path));
        } else {
            listing.list_full = true;
        }
    });
    if (!read) {
        return std::nullopt;
    }
    return listing;
}

std::array<std::size_t, kAllCategories.size()> count_categories(std::string_view result_path) {
    std::array<std::size_t, kAllCategories.size()> counts{};
    read_records(result_path, [&](const ResultRecord& record) {
        if (const auto code = parse_code(record.code)) {
            ++counts[static_cast<std::size_t>(*code)];
        }
    });
    return counts;
}

std::string clipboard_text(const std::vector<std::string>& selected_entries) {
    std::string text;
    for (const auto& entry : selected_entries) {
        if (&entry != &selected_entries.front()) {
            text += "\r\n";
        }
        text += entry;
    }
    return text;
}

} // namespace ferwis
