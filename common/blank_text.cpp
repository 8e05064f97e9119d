#include "common/blank_text.h"

namespace ferwis {

namespace {

// Where a line first differs from its normal form: a separator, a blank at
// the start, a blank after a blank, or a blank at the end. The line's length
// when it is normal already, as most statement lines are.
std::size_t first_change(std::string_view line) {
    bool after_blank = true; // a blank at the start is dropped
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == ' ') {
            if (after_blank) {
                return i;
            }
            after_blank = true;
        } else if (c == ';' || c == '\t') {
            return i;
        } else {
            after_blank = false;
        }
    }
    return after_blank && !line.empty() ? line.size() - 1 : line.size();
}

} // namespace

void normalize_line(std::string& line) {
    // Only the part from the first change on is rewritten.
    std::size_t from = first_change(line);
    if (from == line.size()) {
        return;
    }
    // A blank just before it begins the run of blanks it belongs to.
    if (from > 0 && line[from - 1] == ' ') {
        --from;
    }
    // One pass does what the stepwise description does: separators become blanks,
    // runs collapse to one blank, and both ends are trimmed.
    std::size_t out = from;
    bool pending_blank = false;
    for (char c : std::string_view(line).substr(from)) {
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
