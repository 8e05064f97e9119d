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
// fails or is cancelled leaves the previous file whole.
class ReplacingFile {
public:
    // Creates the temporary file in the folder of path. Throws FileError.
    explicit ReplacingFile(std::string_view path);
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

private:
    std::string name_;
    FolderHandle folder_;
    std::string temp_name_;
    std::optional<OpenFile> file_;
    bool closed_ = false;
    bool committed_ = false;
};

} // namespace ferwis
