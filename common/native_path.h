#pragma once
// Paths inside the program are Windows-1250 text with "/" as separator; they
// become native (UTF-8 on POSIX) only at the moment the file system is touched.

#include <filesystem>
#include <string>
#include <string_view>

namespace ferwis {

// The separator of every path the program composes.
inline constexpr char kSeparator = '/';

// Returns the native path for a Windows-1250 path.
std::filesystem::path to_native(std::string_view path);

// Returns the Windows-1250 text of a native path or file name ("?" for
// characters without a Windows-1250 form).
std::string from_native(const std::filesystem::path& path);

// Reads every "\" of a name taken from a data file, the configuration file or
// the result file as "/", in place. This happens before anything else is done
// with the name.
void read_separators(std::string& name);
std::string with_read_separators(std::string_view name);

// Every folder path the program composes ends with the separator: appends it
// when missing.
void ensure_final_separator(std::string& path);
inline std::string with_final_separator(std::string path) {
    ensure_final_separator(path);
    return path;
}

// Returns the directory of the running executable, ending with "/".
std::string program_directory();

} // namespace ferwis
