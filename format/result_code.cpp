#include "format/result_code.h"

#include "common/catalogue.h"
#include "common/text_compare.h"

namespace ferwis {

std::string_view code_text(ResultCode code) {
    static constexpr std::array<std::string_view, 6> kCodes = {"U", "N", "B", "W", "UD", "BD"};
    return kCodes[static_cast<std::size_t>(code)];
}

const std::string& category_text(ResultCode code) {
    static constexpr std::array<Text, 6> kTexts = {
        Text::CategoryUsed,      Text::CategoryUnused,           Text::CategoryMissing,
        Text::CategoryException, Text::CategoryRollingStockUsed, Text::CategoryRollingStockMissing};
    return text(kTexts[static_cast<std::size_t>(code)]);
}

std::optional<ResultCode> parse_code(std::string_view text) {
    for (ResultCode code : kAllCategories) {
        if (names_equal(text, code_text(code))) {
            return code;
        }
    }
    return std::nullopt;
}

std::optional<ResultCode> code_for_category(std::string_view text) {
    for (ResultCode code : kAllCategories) {
        if (names_equal(text, category_text(code))) {
            return code;
        }
    }
    return std::nullopt;
}

} // namespace ferwis
