#include "results/show_category.h"

namespace ferwis {

// Placeholder until the result display lands.
std::optional<CategoryListing> show_category(std::string_view, std::optional<ResultCode>,
                                             std::size_t) {
    return std::nullopt;
}

std::string clipboard_text(const std::vector<std::string>&) {
    return {};
}

} // namespace ferwis
