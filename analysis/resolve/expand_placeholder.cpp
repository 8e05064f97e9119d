#include "analysis/resolve/expand_placeholder.h"

#include "common/text_compare.h"

#include <cctype>
#include <cmath>

namespace ferwis {
namespace {

// The leading number of a text: blanks, a sign, digits and a fraction; 0 when
// the text does not begin with one.
double leading_number(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') {
        ++i;
    }
    double sign = 1.0;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        sign = text[i] == '-' ? -1.0 : 1.0;
        ++i;
    }
    double value = 0.0;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])) != 0) {
        value = value * 10.0 + (text[i] - '0');
        ++i;
    }
    if (i < text.size() && text[i] == '.') {
        double scale = 0.1;
        for (++i; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])) != 0; ++i) {
            value += (text[i] - '0') * scale;
            scale /= 10.0;
        }
    }
    return sign * value;
}

} // namespace

std::optional<Placeholder> find_placeholder(std::string_view name) {
    const std::size_t start = find_name(name, "(p");
    const std::size_t end = name.find(')');
    if (start == std::string_view::npos || end == std::string_view::npos || end < start + 2) {
        return std::nullopt;
    }
    // nearbyint rounds halves to the even integer in the default rounding mode.
    const double index =
        std::nearbyint(leading_number(name.substr(start + 2, end - start - 2)) + 2.0);
    if (!(index >= 0.0 && index <= static_cast<double>(kStatementParameters))) {
        return std::nullopt;
    }
    return Placeholder{start, end, static_cast<std::size_t>(index)};
}

std::string expand_placeholder(const SceneryRun& scenery, std::string_view name) {
    const auto placeholder = find_placeholder(name);
    if (!placeholder) {
        return std::string(name);
    }
    std::string expanded(name.substr(0, placeholder->start));
    expanded += scenery.statement.parameter(placeholder->index);
    expanded += name.substr(placeholder->end + 1);
    return expanded;
}

} // namespace ferwis
