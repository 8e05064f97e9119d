#include "common/blank_text.h"

namespace ferwis {

void normalize_line(std::string& line) {
    // One pass does what the stepwise description does: separators become blanks,
    // runs collapse to one blank, and both ends are trimmed.
    std::size_t out = 0;
    bool pending_blank = false;
    for (char c : line) {
        if (c == ';' || c == '\t') {
            c = ' ';
        }
        if (c == ' ') {
            pending_blank = out != 0;
            continue;
        }
        if (pending_blank) {
            line[out++] = ' ';
            pending_blank = false;
        }
        line[out++] = c;
    }
    line.resize(out);
}

std::string_view trim_blanks(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    return text;
}

} // namespace ferwis
