#pragma once
// The one comparison of names: every sort, search and test of names, paths,
// keywords and codes in the program goes through these functions.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

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

// Puts items in the order of sort_before on name(item). Each name is lowered
// once, where sort_before lowers both of its names at every comparison: a
// folder's entries are sorted so on every listing.
template <typename T, typename Name> void sort_by_name(std::vector<T>& items, Name name) {
    if (items.size() < 2) {
        return;
    }
    struct Key {
        std::size_t begin; // of the lowered name in lowered
        std::size_t size;
        std::size_t item;
    };
    std::string lowered; // the names end to end
    std::vector<Key> keys;
    keys.reserve(items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        const std::string_view text = name(items[i]);
        keys.push_back({lowered.size(), text.size(), i});
        lowered.append(text);
    }
    to_lower_in_place(lowered);
    const std::string_view all(lowered);
    // Lowered bytes compare as unsigned bytes, as compare_names does.
    std::sort(keys.begin(), keys.end(), [&](const Key& a, const Key& b) {
        const int order = all.substr(a.begin, a.size).compare(all.substr(b.begin, b.size));
        if (order != 0) {
            return order < 0;
        }
        return std::string_view(name(items[a.item])) < std::string_view(name(items[b.item]));
    });
    std::vector<T> sorted;
    sorted.reserve(items.size());
    for (const Key& key : keys) {
        sorted.push_back(std::move(items[key.item]));
    }
    items = std::move(sorted);
}

bool starts_with_name(std::string_view text, std::string_view prefix);
bool ends_with_name(std::string_view text, std::string_view suffix);

// Returns the position of the first case-insensitive occurrence of needle in
// haystack at or after from, or std::string_view::npos.
std::size_t find_name(std::string_view haystack, std::string_view needle, std::size_t from = 0);

inline bool contains_name(std::string_view haystack, std::string_view needle) {
    return find_name(haystack, needle) != std::string_view::npos;
}

} // namespace ferwis
