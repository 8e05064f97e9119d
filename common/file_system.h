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
    // When asked for: the length of each of files in bytes (0 for what is not
    // a regular file), in the same order.
    std::vector<std::uintmax_t> file_sizes;
};

// Lists a folder, with the lengths of its files when with_sizes (a status call
// per file, relative to the open folder, where the names alone give no
// length). Throws FileError when it cannot be opened or enumerated.
FolderListing list_folder(std::string_view path, bool with_sizes = false);

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

    // Keeps the complete entries of folder, as a walk that listed it anyway
    // read them: a search in that folder then asks the system nothing.
    void remember(std::string folder, std::vector<Entry> entries);

    // The entries remembered for folder, or null when it was not walked.
    const std::vector<Entry>* walked(std::string_view folder) const;

private:
    std::unordered_map<std::string, std::optional<std::vector<Entry>>> folders_;
    std::unordered_map<std::string, std::vector<Entry>> walked_;
};

// Returns the name, as it is on disk, of the entry of folder whose name equals
// name case-insensitively (a folder when want_folder, else a file); an exact
// match is preferred. Nothing when there is none or the folder cannot be read.
// With a cache, the folder's entries are taken from it; in a folder it
// remembers from a walk, not even the exact name is asked for.
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
