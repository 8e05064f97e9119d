#pragma once
// The intermediate file wav_dynamic.txt: the rolling-stock findings of one run
// (sounds beside their definition file, UD, and missing sounds, BD), in the
// record form of the result file.

#include "common/folder_handle.h"
#include "format/result_code.h"

#include <functional>
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

    // Appends one record. The records are kept until flush(), which the
    // rolling-stock check calls after each definition file, so that what was
    // found survives a failure later in the run without a system call per
    // record; the file stays open between appends. Throws FileError.
    void append(std::string_view file_path, ResultCode code);

    // Hands the records appended since the last flush to the system. Throws FileError.
    void flush();

    // The bytes of the file this object made (not of anything that took its
    // name meanwhile), with the records not flushed yet, handed to take piece
    // by piece: a large installation's records run to megabytes. Throws FileError.
    void read(const std::function<void(std::string_view)>& take) const;

    // The rolling-stock flag: true once a record was appended since create().
    bool written() const { return written_; }

    // Closes and deletes the file; a file that is already gone is no error.
    // Throws FileError when the file stays.
    void remove();

private:
    void close();

    std::string path_;
    std::optional<FolderHandle> folder_;
    std::string name_;
    std::optional<OpenFile> file_; // open from create() to remove()
    std::string pending_;          // appended, not yet written
    bool written_ = false;
};

} // namespace ferwis
