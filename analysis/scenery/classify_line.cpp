#include "analysis/scenery/classify_line.h"

namespace ferwis {
namespace {

// The line is in lower case already: a plain search serves, one spelling of
// each keyword. Most lines of a scenery (a shape's vertices) hold none.
bool has(std::string_view line, std::string_view keyword) {
    return line.find(keyword) != std::string_view::npos;
}

} // namespace

LineKind classify_line(std::string_view line) {
    if (line.size() > kMaxClassifiedLine) {
        return LineKind::Ignored;
    }
    if (has(line, "node") || (has(line, "sky") && has(line, ".t3d")) || has(line, "include") ||
        (has(line, "trainset") && !has(line, "endtrainset")) || has(line, ".wav")) {
        return LineKind::Statement;
    }
    if (has(line, "event") && has(line, "timetable:")) {
        return LineKind::Timetable;
    }
    return LineKind::Ignored;
}

} // namespace ferwis
