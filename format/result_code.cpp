#include "format/result_code.h"

#include "common/code_page.h"
#include "common/text_compare.h"

namespace ferwis {

std::string_view code_text(ResultCode code) {
    static constexpr std::array<std::string_view, 6> kCodes = {"U", "N", "B", "W", "UD", "BD"};
    return kCodes[static_cast<std::size_t>(code)];
}

const std::string& category_text(ResultCode code) {
    static const std::array<std::string, 6> kTexts = {
        cp1250("Używane sceneryjne"),    cp1250("Nieużywane"),
        cp1250("Braki sceneryjne"),      cp1250("Wyjątki"),
        cp1250("Używane *.wav DYNAMIC"), cp1250("Braki *.wav DYNAMIC")};
    return kTexts[static_cast<std::size_t>(code)];
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
