#include "common/text_compare.h"

#include <array>
#include <cstdint>
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

// The other byte that lowers to the same letter as byte (its upper- or
// lower-case partner), or byte itself when there is none.
constexpr std::array<unsigned char, 256> make_partner_table() {
    std::array<unsigned char, 256> t{};
    for (unsigned i = 0; i < 256; ++i) {
        t[i] = static_cast<unsigned char>(i);
    }
    for (unsigned i = 0; i < 256; ++i) {
        if (kLower[i] != i) {
            t[i] = kLower[i];
            t[kLower[i]] = static_cast<unsigned char>(i);
        }
    }
    return t;
}

constexpr std::array<unsigned char, 256> kPartner = make_partner_table();

// Each letter has at most one partner, so two searches find every spelling.
constexpr bool partners_are_pairs() {
    for (unsigned i = 0; i < 256; ++i) {
        if (kLower[kPartner[i]] != kLower[i] || kPartner[kPartner[i]] != i) {
            return false;
        }
    }
    return true;
}
static_assert(partners_are_pairs());

// The lower-case Polish letters of Windows-1250 and the ASCII letters they
// are written with when a name leaves them out.
constexpr unsigned char kPolishFolds[][2] = {
    {0xB9, 'a'}, {0xE6, 'c'}, {0xEA, 'e'}, {0xB3, 'l'}, {0xF1, 'n'},
    {0xF3, 'o'}, {0x9C, 's'}, {0x9F, 'z'}, {0xBF, 'z'},
};

constexpr std::uint64_t kOnes = 0x0101010101010101U;
constexpr std::uint64_t kHighBits = 0x8080808080808080U;

// Lowers eight ASCII bytes at once (no byte may have its high bit set): each
// byte from 'A' to 'Z' gains 0x20. The sums cannot carry into the next byte.
std::uint64_t lower_ascii_word(std::uint64_t word) {
    const std::uint64_t at_least_a = word + kOnes * (0x80 - 'A');
    const std::uint64_t above_z = word + kOnes * (0x7F - 'Z');
    return word | ((at_least_a & ~above_z & kHighBits) >> 2);
}

// Eight bytes as they lie in memory, read and lowered as one word. Paths and
// keywords are mostly ASCII: those are lowered at once, others byte by byte.
std::uint64_t lowered_word(const char* bytes) {
    std::uint64_t word = 0;
    std::memcpy(&word, bytes, 8);
    if ((word & kHighBits) == 0) {
        return lower_ascii_word(word);
    }
    unsigned char lowered[8];
    for (int i = 0; i < 8; ++i) {
        lowered[i] = kLower[static_cast<unsigned char>(bytes[i])];
    }
    std::memcpy(&word, lowered, 8);
    return word;
}

// How many leading bytes of a and b (n each) surely lower alike: whole words
// are skipped while they do; the rest is for the caller to compare byte by byte.
std::size_t equal_words_prefix(const char* a, const char* b, std::size_t n) {
    std::size_t i = 0;
    for (; n - i >= 8; i += 8) {
        std::uint64_t wa = 0;
        std::uint64_t wb = 0;
        std::memcpy(&wa, a + i, 8);
        std::memcpy(&wb, b + i, 8);
        if (wa != wb && lowered_word(a + i) != lowered_word(b + i)) {
            break;
        }
    }
    return i;
}

// Walks, in order, the places of a text where a byte lowers to one letter: the
// library's byte search finds each spelling of the letter, and the next place
// of each spelling is kept until it is passed, so no byte is searched twice.
class LetterPlaces {
public:
    LetterPlaces(const char* from, const char* stop, unsigned char letter)
        : stop_(stop), own_(letter), other_(kPartner[letter]) {
        next_own_ = search(from, own_);
        next_other_ = other_ == own_ ? stop_ : search(from, other_);
    }

    // The current place, or stop when there is none left.
    const char* place() const { return next_own_ < next_other_ ? next_own_ : next_other_; }

    void advance() {
        if (next_own_ < next_other_) {
            next_own_ = search(next_own_ + 1, own_);
        } else {
            next_other_ = search(next_other_ + 1, other_);
        }
    }

private:
    const char* search(const char* from, unsigned char byte) const {
        const void* at = std::memchr(from, byte, static_cast<std::size_t>(stop_ - from));
        return at == nullptr ? stop_ : static_cast<const char*>(at);
    }

    const char* stop_;
    unsigned char own_;
    unsigned char other_;
    const char* next_own_;
    const char* next_other_;
};

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
    char* p = text.data();
    char* const stop = p + text.size();
    for (; stop - p >= 8; p += 8) {
        const std::uint64_t word = lowered_word(p);
        std::memcpy(p, &word, 8);
    }
    for (; p != stop; ++p) {
        *p = static_cast<char>(kLower[static_cast<unsigned char>(*p)]);
    }
}

int compare_names(std::string_view a, std::string_view b) {
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = equal_words_prefix(a.data(), b.data(), n); i < n; ++i) {
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
    std::size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        mix(lowered_word(text.data() + i));
    }
    // The last bytes, padded with zeros (which lower to zeros).
    char tail[8] = {};
    if (i < text.size()) { // an empty view may have no data to copy from
        std::memcpy(tail, text.data() + i, text.size() - i);
    }
    mix(lowered_word(tail));
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
    if (from > last) {
        return std::string_view::npos;
    }
    // Candidates are found by the library's byte search, one spelling of the
    // first letter at a time; most texts searched hold few of them.
    const char* const base = haystack.data();
    const char* const stop = base + last + 1;
    for (LetterPlaces places(base + from, stop, first); places.place() != stop; places.advance()) {
        const auto i = static_cast<std::size_t>(places.place() - base);
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

void fold_polish_letters(std::string& text) {
    static constexpr std::array<unsigned char, 256> kFolded = [] {
        std::array<unsigned char, 256> t{};
        for (unsigned i = 0; i < 256; ++i) {
            t[i] = kLower[i];
        }
        for (const auto& fold : kPolishFolds) {
            t[fold[0]] = fold[1];
            t[kPartner[fold[0]]] = fold[1];
        }
        return t;
    }();
    for (char& c : text) {
        c = static_cast<char>(kFolded[static_cast<unsigned char>(c)]);
    }
}

} // namespace ferwis
