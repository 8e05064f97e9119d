#pragma once
// The file-system services of the program, on Windows-1250 paths with "/".

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace ferwis {

bool file_exists(std::string_view path);   // a regular file (or a link to one)
bool folder_exists(std::string_view path); // a directory (or a link to one)

// Returns the length of the file in bytes, or nothing when there is no such file.
std::optional<std::uintmax_t> file_size(std::string_view path);

// The entries directly inside one folder, names only, each list in the order of
// the one comparison (sort_before).
struct FolderListing {
    std::vector<std::string> folders;
    std::vector<std::string> linked_folders; // those of folders reached through a link
    std::vector<std::string> files;
};

// Lists a folder. Throws FileError when it cannot be opened or enumerated.
FolderListing list_folder(std::string_view path);

// The entries of the folders that searches for a name had to read, kept so that
// many searches in the same folders read each folder once (for a walk over
// files that do not change meanwhile).
class FolderNameCache {
public:
    struct Entry {
        std::string name;
        bool folder = false;
    };
    // The entries of folder; nothing when it cannot be read.
    const std::optional<std::vector<Entry>>& entries(std::string_view folder);

private:
    std::unordered_map<std::string, std::optional<std::vector<Entry>>> folders_;
};

// Returns the name, as it is on disk, of the entry of folder whose name equals
// name case-insensitively (a folder when want_folder, else a file); an exact
// match is preferred. On every platform the name comes back as on disk, also
// where the file system finds it under any spelling. Nothing when there is none or the folder
// cannot be read. With a cache, the folder's entries are taken from it.
std::optional<std::string> find_entry(std::string_view folder, std::string_view name,
                                      bool want_folder, FolderNameCache* cache = nullptr);

// Resolves relative (components separated by "/") below base (ending with "/"),
// matching each component case-insensitively. Returns base + the components as
// they are on disk when the file exists, nothing otherwise.
std::optional<std::string> find_file_case_insensitive(std::string_view base,
                                                      std::string_view relative,
                                                      FolderNameCache* cache = nullptr);

// Returns main (ending with "/") + the name, as it is on disk, of the folder of
// main that equals name case-insensitively, + "/"; main + name + "/" when there
// is none. This is how the content directories are found on a case-sensitive
// file system.
std::string content_folder(std::string_view main, std::string_view name);

} // namespace ferwis
