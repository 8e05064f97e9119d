#include "results/show_category.h"

#include "common/code_page.h"
#include "common/file_system.h"
#include "common/text_compare.h"
#include "format/result_record.h"

namespace ferwis {

std::optional<CategoryListing> show_category(std::string_view result_path,
                                             std::optional<ResultCode> code, std::size_t limit) {
    const auto size = file_size(result_path);
    if (!size || *size < 4) {
        return std::nullopt;
    }
    CategoryListing listing;
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
    return listing;
}

const std::string& list_full_message() {
    static const std::string kText =
        cp1250("Za dużo pozycji do wyświetlenia. Dalsze pozycje nie będą wyświetlane.");
    return kText;
}

const std::string& display_failure_message() {
    static const std::string kText =
        cp1250("Nie można odczytać pliku wynik.txt. Wyświetlanie wyniku zostało przerwane.");
    return kText;
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
