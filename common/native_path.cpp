#include "common/native_path.h"

#include "common/code_page.h"
#include "common/platform.h"

#include <algorithm>

namespace ferwis {

#ifdef _WIN32

// Windows names are UTF-16: Windows-1250 maps to it character by character,
// never through the C library's locale.
std::filesystem::path to_native(std::string_view path) {
    std::wstring wide;
    wide.reserve(path.size());
    for (char c : path) {
        wide.push_back(static_cast<wchar_t>(cp1250_to_unicode(static_cast<unsigned char>(c))));
    }
    return std::filesystem::path(std::move(wide));
}

std::string from_native(const std::filesystem::path& path) {
    return from_native_name(path.native());
}

std::string from_native_name(std::wstring_view wide) {
    std::string out;
    out.reserve(wide.size());
    for (std::size_t i = 0; i < wide.size(); ++i) {
        const auto unit = static_cast<char32_t>(wide[i]);
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 &&
            wide[i + 1] <= 0xDFFF) {
            ++i; // a pair of surrogates is one character, and none of Windows-1250
            out.push_back('?');
            continue;
        }
        out.push_back(unicode_to_cp1250(unit));
    }
    return out;
}

bool names_native(std::string_view text, std::wstring_view native) {
    if (text.size() != native.size()) {
        return false; // a pair of surrogates became one "?"
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (cp1250_to_unicode(static_cast<unsigned char>(text[i])) !=
            static_cast<char32_t>(native[i])) {
            return false;
        }
    }
    return true;
}

std::string native_to_utf8(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::size_t root_length(std::string_view path) {
    const bool drive = path.size() >= 3 && path[1] == ':' && path[2] == kSeparator &&
                       ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
    return drive ? 3 : 0;
}

#else

std::filesystem::path to_native(std::string_view path) {
    return std::filesystem::path(cp1250_to_utf8(path));
}

std::string from_native(const std::filesystem::path& path) {
    return utf8_to_cp1250(path.native());
}

std::string from_native_name(std::string_view name) {
    return utf8_to_cp1250(name);
}

bool names_native(std::string_view text, std::string_view native) {
    // Equal bytes are ASCII: any other UTF-8 is longer than its text.
    return text == native || cp1250_to_utf8(text) == native;
}

std::string native_to_utf8(const std::filesystem::path& path) {
    return path.native();
}

std::size_t root_length(std::string_view path) {
    return !path.empty() && path.front() == kSeparator ? 1 : 0;
}

#endif

void read_separators(std::string& name) {
    std::replace(name.begin(), name.end(), kOtherSeparator, kSeparator);
}

std::string with_read_separators(std::string_view name) {
    std::string out(name);
    read_separators(out);
    return out;
}

void ensure_final_separator(std::string& path) {
    if (path.empty() || path.back() != kSeparator) {
        path.push_back(kSeparator);
    }
}

std::string program_directory() {
    const std::filesystem::path exe = platform::program_file();
    return with_final_separator(exe.empty() ? std::string(".") : from_native(exe.parent_path()));
}

} // namespace ferwis
