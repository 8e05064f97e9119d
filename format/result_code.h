#pragma once
// The categories of the result file: their codes and the texts of Combo1.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ferwis {

enum class ResultCode : std::uint8_t { U, N, B, W, UD, BD };

inline constexpr std::array<ResultCode, 6> kAllCategories = {
    ResultCode::U, ResultCode::N, ResultCode::B, ResultCode::W, ResultCode::UD, ResultCode::BD};

// "U", "N", "B", "W", "UD" or "BD".
std::string_view code_text(ResultCode code);

// The category text of Combo1 (Windows-1250), e.g. "Używane sceneryjne".
const std::string& category_text(ResultCode code);

// The code whose text equals text as a whole, case-insensitively ("u" is U, "U"
// does not match "UD"); nothing for any other text.
std::optional<ResultCode> parse_code(std::string_view text);

// The code whose category text equals text as a whole, case-insensitively.
std::optional<ResultCode> code_for_category(std::string_view text);

} // namespace ferwis
