#include "results/read_category.h"

#include "common/errors.h"
#include "common/file_system.h"
#include "common/text_compare.h"
#include "format/result_record.h"

namespace ferwis {

std::optional<CategoryListing> read_category(std::string_view result_path,
                                             std::optional<ResultCode> code, std::size_t limit) {
    // A result that vanished while the window was open is said to be gone, not
    // shown as an empty category.
    const auto size = file_size(result_path);
    if (!size || !file_exists(result_path)) {
        throw DisplayFailure(file_detail(result_path, text(Text::ReasonMissing)));
    }
    if (!holds_result(*size)) {
        return std::nullopt;
    }
    CategoryListing listing;
    try {
        RecordReader reader(result_path);
        ResultRecord record;
        while (reader.next(record)) {
            if (!code || !names_equal(record.code, code_text(*code))) {
                continue;
            }
            ++listing.count;
            // Past the limit the category is still counted, so the count shows its full size.
            if (listing.paths.size() < limit) {
                listing.paths.push_back(std::move(record.path));
            } else {
                listing.list_full = true;
            }
        }
    } catch (const FileError& error) {
        throw DisplayFailure(error.what());
    }
    return listing;
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
