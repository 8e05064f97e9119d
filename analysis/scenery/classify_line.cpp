#include "analysis/scenery/classify_line.h"

#include "common/text_compare.h"

namespace ferwis {

LineKind classify_line(std::string_view line) {
    if (line.size() > kMaxClassifiedLine) {
        return LineKind::Ignored;
    }
    if (contains_name(line, "node") ||
        (contains_name(line, "sky") && contains_name(line, ".t3d")) ||
        contains_name(line, "include") ||
        (contains_name(line, "trainset") && !contains_name(line, "endtrainset")) ||
        contains_name(line, ".wav")) {
        return LineKind::Statement;
    }
    if (contains_name(line, "event") && contains_name(line, "timetable:")) {
        return LineKind::Timetable;
    }
    return LineKind::Ignored;
}

} // namespace ferwis
