#pragma once
// Text helpers about blanks, for lines read from data files. Only the blank
// (code 32) counts as a blank; the tests are on exact bytes.

#include <string>
#include <string_view>

namespace ferwis {

// Normalises a line in place: every ";" and every tab becomes a blank, blanks are
// trimmed from both ends and every run of blanks becomes one blank.
void normalize_line(std::string& line);

// Returns text without the blanks at both ends.
std::string_view trim_blanks(std::string_view text);

// Splits a text at single blanks, keeping empty pieces ("a  b" gives "a", "", "b").
template <typename Out> void split_at_blanks(std::string_view text, Out&& emit) {
    std::size_t start = 0;
    while (true) {
        const std::size_t blank = text.find(' ', start);
        if (blank == std::string_view::npos) {
            emit(text.substr(start));
            return;
        }
        emit(text.substr(start, blank - start));
        start = blank + 1;
    }
}

} // namespace ferwis
