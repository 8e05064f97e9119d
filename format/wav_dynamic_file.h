#pragma once
// The intermediate file wav_dynamic.txt: the rolling-stock findings of one run
// (sounds beside their definition file, UD, and missing sounds, BD), in the
// record form of the result file.

#include "common/folder_handle.h"
#include "format/result_code.h"

#include <optional>
#include <string>
#include <string_view>

namespace ferwis {

class WavDynamicFile {
public:
    explicit WavDynamicFile(std::string path) : path_(std::move(path)) {}
    ~WavDynamicFile();
    WavDynamicFile(const WavDynamicFile&) = delete;
    WavDynamicFile& operator=(const WavDynamicFile&) = delete;

    const std::string& path() const { return path_; }

    // Creates the file empty. An earlier entry of that name (left by a failed
    // run, or a link planted there) is removed first, never written through:
    // the file is made new. Throws FileError.
    void create();

    // Appends one record. Each record is handed to the system as it is
    // appended (the file stays open, unbuffered, between appends), so that
    // what was found survives a failure later in the run. Throws FileError.
    void append(std::string_view file_path, ResultCode code);

    // The bytes of the file this object made (not of anything that took its
    // name meanwhile). Throws FileError.
    std::string contents() const;

    // The rolling-stock flag: true once a record was appended since create().
    bool written() const { return written_; }

    // Closes and deletes the file; a file that is already gone is no error.
    void remove();

private:
    void close();

    std::string path_;
    std::optional<FolderHandle> folder_;
    std::string name_;
    std::optional<OpenFile> file_; // open from create() to remove()
    bool written_ = false;
};

} // namespace ferwis
