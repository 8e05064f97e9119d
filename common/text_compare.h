#pragma once
// The one comparison of names: every sort, search and test of names, paths,
// keywords and codes in the program goes through these functions.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace ferwis {

// Returns the lower-case form of one Windows-1250 byte: ASCII A-Z and every
// letter of the code page that has a lower-case partner; other bytes unchanged.
unsigned char lower_byte(unsigned char byte);

// Returns the text with every byte passed through lower_byte.
std::string to_lower(std::string_view text);
void to_lower_in_place(std::string& text);

// Compares two texts byte by byte through lower_byte as unsigned bytes; a prefix
// orders first. Returns <0, 0 or >0.
int compare_names(std::string_view a, std::string_view b);

inline bool names_equal(std::string_view a, std::string_view b) {
    return a.size() == b.size() && compare_names(a, b) == 0;
}

// Lowers the text in place and writes each Polish letter as its ASCII letter
// ("Łąka" becomes "laka"), so that names that differ only in their Polish
// letters, or in whether they have them, fold alike.
void fold_polish_letters(std::string& text);

// A hash of the text under the one comparison: texts that compare equal hash
// alike, without a lower-case copy being made.
std::uint64_t hash_name(std::string_view text);

// The sort order: compare_names, and for texts equal under it their raw unsigned
// bytes, so that the order is deterministic.
bool sort_before(std::string_view a, std::string_view b);

bool starts_with_name(std::string_view text, std::string_view prefix);
bool ends_with_name(std::string_view text, std::string_view suffix);

// Returns the position of the first case-insensitive occurrence of needle in
// haystack at or after from, or std::string_view::npos.
std::size_t find_name(std::string_view haystack, std::string_view needle, std::size_t from = 0);

inline bool contains_name(std::string_view haystack, std::string_view needle) {
    return find_name(haystack, needle) != std::string_view::npos;
}

} // namespace ferwis
