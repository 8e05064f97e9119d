#pragma once
// Conversions between the Windows-1250 bytes the program keeps internally and
// the Unicode the platform and the widgets speak.

#include <string>
#include <string_view>

namespace ferwis {

// Returns the Unicode code point of one Windows-1250 byte. Bytes the code page
// leaves undefined map to U+FFFD.
char32_t cp1250_to_unicode(unsigned char byte);

// Returns the Windows-1250 byte for a code point, or '?' when the code page has none.
char unicode_to_cp1250(char32_t code_point);

// Returns Windows-1250 text as UTF-8.
std::string cp1250_to_utf8(std::string_view text);

// True when text has no byte above 127.
bool is_ascii(std::string_view text);

// True when text is well-formed UTF-8 (no stray or missing continuation byte,
// no over-long form, no surrogate, nothing beyond U+10FFFF).
bool is_utf8(std::string_view text);

// Returns UTF-8 text as Windows-1250; every character without a Windows-1250
// form (and every malformed UTF-8 sequence) becomes "?".
std::string utf8_to_cp1250(std::string_view text);

} // namespace ferwis

namespace ferwis {
// The program's own Polish texts are written in the sources as UTF-8 literals and
// turned into Windows-1250 here, so that they read as they stand.
inline std::string cp1250(std::string_view utf8_literal) {
    return utf8_to_cp1250(utf8_literal);
}
} // namespace ferwis
