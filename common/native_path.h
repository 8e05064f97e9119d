#pragma once
// Paths inside the program are Windows-1250 text with the platform's separator
// ("\" on Windows, "/" elsewhere); they become native (UTF-16 on Windows, UTF-8
// elsewhere) only at the moment the file system is touched.

#include <filesystem>
#include <string>
#include <string_view>

namespace ferwis {

#ifdef _WIN32
// The separator of every path the program composes.
inline constexpr char kSeparator = '\\';
// The other separator, read as kSeparator in names taken from files.
inline constexpr char kOtherSeparator = '/';
// Whether the file system keeps names apart that differ only in letter case.
inline constexpr bool kNamesDifferInCase = false;
#else
inline constexpr char kSeparator = '/';
inline constexpr char kOtherSeparator = '\\';
inline constexpr bool kNamesDifferInCase = true;
#endif

// Returns the native path for a Windows-1250 path.
std::filesystem::path to_native(std::string_view path);

// Returns the Windows-1250 text of a native path or file name ("?" for
// characters without a Windows-1250 form).
std::string from_native(const std::filesystem::path& path);

// The same for a name as a folder listing gives it.
std::string from_native_name(std::basic_string_view<std::filesystem::path::value_type> name);

// Whether text, the Windows-1250 text of a native name, names it again: not so
// when the name has characters (or, on POSIX, bytes that are no UTF-8) without
// a Windows-1250 form, which the text holds as "?".
bool names_native(std::string_view text,
                  std::basic_string_view<std::filesystem::path::value_type> native);

// Returns the UTF-8 text of a native path, for messages.
std::string native_to_utf8(const std::filesystem::path& path);

// Reads every kOtherSeparator of a name taken from a data file, the
// configuration file or the result file as kSeparator, in place. This happens
// before anything else is done with the name.
void read_separators(std::string& name);
std::string with_read_separators(std::string_view name);

// The length of the root of an absolute path: "/" on POSIX, a drive such as
// "C:\" on Windows. 0 when the path is not absolute in that way.
std::size_t root_length(std::string_view path);

// Every folder path the program composes ends with the separator: appends it
// when missing.
void ensure_final_separator(std::string& path);
inline std::string with_final_separator(std::string path) {
    ensure_final_separator(path);
    return path;
}

// The folder part of a path: up to and including its last separator (empty
// for a bare name).
inline std::string_view folder_part(std::string_view path) {
    const std::size_t last = path.rfind(kSeparator);
    return last == std::string_view::npos ? std::string_view{} : path.substr(0, last + 1);
}
// The name part of a path: what follows its last separator.
inline std::string_view name_part(std::string_view path) {
    return path.substr(folder_part(path).size());
}

// The one splitter of paths: visits the parts between the separators in
// order, with whether each is the last, empty parts (a doubled or final
// separator) included; visit returns false to stop. Returns false when it was
// stopped.
template <class Visit> bool for_each_part(std::string_view path, Visit&& visit) {
    for (std::size_t start = 0;;) {
        const std::size_t sep = path.find(kSeparator, start);
        const bool last = sep == std::string_view::npos;
        if (!visit(path.substr(start, last ? std::string_view::npos : sep - start), last)) {
            return false;
        }
        if (last) {
            return true;
        }
        start = sep + 1;
    }
}

// Returns the directory of the running executable, ending with the separator.
std::string program_directory();

} // namespace ferwis
