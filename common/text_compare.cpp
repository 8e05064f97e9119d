#include "common/text_compare.h"

#include <array>
#include <cstring>

namespace ferwis {
namespace {

constexpr std::array<unsigned char, 256> make_lower_table() {
    std::array<unsigned char, 256> t{};
    for (unsigned i = 0; i < 256; ++i) {
        t[i] = static_cast<unsigned char>(i);
    }
    for (unsigned c = 'A'; c <= 'Z'; ++c) {
        t[c] = static_cast<unsigned char>(c + 0x20);
    }
    // Windows-1250 letters whose lower-case partner lies elsewhere in the code page.
    constexpr unsigned char pairs[][2] = {
        {0x8A, 0x9A}, // Š š
        {0x8C, 0x9C}, // Ś ś
        {0x8D, 0x9D}, // Ť ť
        {0x8E, 0x9E}, // Ž ž
        {0x8F, 0x9F}, // Ź ź
        {0xA3, 0xB3}, // Ł ł
        {0xA5, 0xB9}, // Ą ą
        {0xAA, 0xBA}, // Ş ş
        {0xAF, 0xBF}, // Ż ż
        {0xBC, 0xBE}, // Ľ ľ
    };
    for (const auto& p : pairs) {
        t[p[0]] = p[1];
    }
    for (unsigned c = 0xC0; c <= 0xDE; ++c) {
        if (c != 0xD7) { // the multiplication sign is no letter
            t[c] = static_cast<unsigned char>(c + 0x20);
        }
    }
    return t;
}

constexpr std::array<unsigned char, 256> kLower = make_lower_table();

} // namespace

unsigned char lower_byte(unsigned char byte) {
    return kLower[byte];
}

std::string to_lower(std::string_view text) {
    std::string out(text);
    to_lower_in_place(out);
    return out;
}

void to_lower_in_place(std::string& text) {
    for (char& c : text) {
        c = static_cast<char>(kLower[static_cast<unsigned char>(c)]);
    }
}

int compare_names(std::string_view a, std::string_view b) {
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char ca = kLower[static_cast<unsigned char>(a[i])];
        const unsigned char cb = kLower[static_cast<unsigned char>(b[i])];
        if (ca != cb) {
            return ca < cb ? -1 : 1;
        }
    }
    if (a.size() == b.size()) {
        return 0;
    }
    return a.size() < b.size() ? -1 : 1;
}

std::uint64_t hash_name(std::string_view text) {
    // Eight lower-cased bytes at a time, each block mixed in by a multiply.
    std::uint64_t hash = 0x9E3779B97F4A7C15ULL ^ text.size();
    const auto mix = [&hash](std::uint64_t block) {
        hash = (hash ^ block) * 0xBF58476D1CE4E5B9ULL;
        hash ^= hash >> 31;
    };
    const auto lowered = [&text](std::size_t i) {
        return static_cast<std::uint64_t>(kLower[static_cast<unsigned char>(text[i])]);
    };
    std::size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        std::uint64_t block = 0;
        for (std::size_t k = 0; k < 8; ++k) {
            block |= lowered(i + k) << (8 * k);
        }
        mix(block);
    }
    std::uint64_t block = 0;
    for (std::size_t k = 0; i + k < text.size(); ++k) {
        block |= lowered(i + k) << (8 * k);
    }
    mix(block);
    hash *= 0x94D049BB133111EBULL;
    return hash ^ (hash >> 32);
}

bool sort_before(std::string_view a, std::string_view b) {
    const int c = compare_names(a, b);
    if (c != 0) {
        return c < 0;
    }
    return a < b; // std::string_view compares as unsigned bytes (char_traits<char>)
}

bool starts_with_name(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           compare_names(text.substr(0, prefix.size()), prefix) == 0;
}

bool ends_with_name(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() &&
           compare_names(text.substr(text.size() - suffix.size()), suffix) == 0;
}

std::size_t find_name(std::string_view haystack, std::string_view needle, std::size_t from) {
    if (needle.empty()) {
        return from <= haystack.size() ? from : std::string_view::npos;
    }
    if (haystack.size() < needle.size()) {
        return std::string_view::npos;
    }
    const unsigned char first = kLower[static_cast<unsigned char>(needle[0])];
    const std::size_t last = haystack.size() - needle.size();
    for (std::size_t i = from; i <= last; ++i) {
        if (kLower[static_cast<unsigned char>(haystack[i])] != first) {
            continue;
        }
        std::size_t k = 1;
        while (k < needle.size() && kLower[static_cast<unsigned char>(haystack[i + k])] ==
                                        kLower[static_cast<unsigned char>(needle[k])]) {
            ++k;
        }
        if (k == needle.size()) {
            return i;
        }
    }
    return std::string_view::npos;
}

} // namespace ferwis
