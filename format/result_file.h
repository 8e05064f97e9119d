#pragma once
// Writing wynik.txt. The records go to a temporary file beside it, which
// replaces wynik.txt only when it is complete, so a run that fails or is
// cancelled leaves the previous result file whole. The temporary file is made
// new under a name no entry has yet, so that nothing planted beside the result
// (a link named like it) is ever written through.

#include "format/file_beside.h"
#include "format/provenance_file.h"
#include "format/wav_dynamic_file.h"

#include <optional>
#include <string>
#include <string_view>

namespace ferwis {

class ResultFileWriter {
public:
    // Creates the temporary file in the folder of result_path. Throws FileError.
    explicit ResultFileWriter(std::string_view result_path);

    // Writes one record ("path","code" CR LF). Throws FileError.
    void add(std::string_view path, std::string_view code);

    // Appends every record of wav_dynamic.txt, read field by field and written
    // again; returns how many. Throws FileError.
    std::size_t add_records_of(const WavDynamicFile& records);

    // Writes what is left and closes the temporary file; returns the size and
    // hash of everything written, to which a provenance file is bound. Throws
    // FileError.
    const ResultDigest& finish();

    // Finishes the temporary file when that was not done and moves it over the
    // result file. Throws FileError; the previous result file then stays as it was.
    void commit();

private:
    void write(std::string_view bytes);

    ReplacingFile file_;
    std::string buffer_;
    ResultDigest digest_;
    bool finished_ = false;
};

} // namespace ferwis
