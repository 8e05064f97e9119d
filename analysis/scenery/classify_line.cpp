#include "analysis/scenery/classify_line.h"

namespace ferwis {
namespace {

// The line is in lower case already: a plain search serves, one spelling of
// each keyword. Most lines of a scenery (a shape's vertices) hold none.
bool has(std::string_view line, std::string_view keyword) {
    return line.find(keyword) != std::string_view::npos;
}

// Every keyword that makes a line more than Ignored holds one of these
// letters (node, sky, include, trainset, .wav, event): a line without any is
// passed over by one look at each byte, where the searches would look at it
// once per keyword. A vertex line ("... 0 3 end") has none of them. Compared,
// not looked up, so that the compiler can test many bytes at once.
bool may_hold_keyword(std::string_view line) {
    unsigned char any = 0;
    for (const char byte : line) {
        any |= static_cast<unsigned char>(byte == 'o' || byte == 'k' || byte == 'u' ||
                                          byte == 'a' || byte == 'v');
    }
    return any != 0;
}

} // namespace

LineKind classify_line(std::string_view line) {
    if (line.size() > kMaxClassifiedLine || !may_hold_keyword(line)) {
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
