#pragma once
// The intermediate file wav_dynamic.txt: the rolling-stock findings of one run
// (sounds beside their definition file, UD, and missing sounds, BD), in the
// record form of the result file.

#include "format/result_code.h"

#include <cstdio>
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

    // Creates the file empty, truncating an earlier one. Throws FileError.
    void create();

    // Appends one record. Each record is handed to the system as it is
    // appended (the file stays open, unbuffered, between appends), so that
    // what was found survives a failure later in the run. Throws FileError.
    void append(std::string_view file_path, ResultCode code);

    // The rolling-stock flag: true once a record was appended since create().
    bool written() const { return written_; }

    // Closes and deletes the file; a file that is already gone is no error.
    void remove();

private:
    void close();

    std::string path_;
    std::FILE* file_ = nullptr; // open for appending after the first record
    bool written_ = false;
};

} // namespace ferwis
