#pragma once
// The result file, its places and the rolling-stock list are each written in
// the folder of their path, through that folder opened once; the result file
// and its places replace their previous versions whole.

#include "common/folder_handle.h"

#include <optional>
#include <string>
#include <string_view>

namespace ferwis {

// Opens the folder of path (the current folder for a bare name) and sets name
// to the file's name in it. Throws FileError when the folder cannot be opened.
FolderHandle open_folder_of(std::string_view path, std::string& name);

// A file that replaces the one at its path whole or not at all: its bytes go
// to a temporary file beside it, made new under a name no entry has yet (so
// nothing planted there, such as a link named like it, is written through),
// which is moved over the final name only when it is complete. A run that
// fails or is cancelled leaves the previous file whole. Every file the program
// writes goes this way: the result file, its places, the JSON report and the
// copies of a copy or move.
class ReplacingFile {
public:
    // Creates the temporary file in the folder of path, named after the file.
    // Throws FileError.
    explicit ReplacingFile(std::string_view path);
    // Creates the temporary file for name in folder, which outlives it, named
    // temp_prefix and a number (a copy's temporary file is named apart from
    // the files it sits among). Throws FileError.
    ReplacingFile(const FolderHandle& folder, std::string name, std::string_view temp_prefix);
    // Removes the temporary file unless commit() succeeded.
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    // Throws FileError.
    void write(std::string_view bytes);

    // Closes the temporary file; a full disk may show only here, when the last
    // bytes reach the disk. Throws FileError.
    void close();

    // Closes the temporary file when that was not done and moves it over the
    // final name. Throws FileError; the previous file then stays as it was.
    void commit();
    // As commit, but an entry at the final name is replaced only with replace;
    // without, one there stays, and so does the temporary file, and the result
    // is false.
    bool commit(bool replace);

    // The temporary file, for what the writing itself does not do (its
    // identity, a sync).
    OpenFile& file() { return *file_; }

private:
    void create(std::string_view temp_prefix);

    std::string name_;
    std::optional<FolderHandle> own_folder_;
    const FolderHandle& folder_;
    std::string temp_name_;
    std::optional<OpenFile> file_;
    bool closed_ = false;
    bool committed_ = false;
};

} // namespace ferwis
