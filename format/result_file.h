#pragma once
// Writing wynik.txt. The records go to a temporary file beside it, which
// replaces wynik.txt only when it is complete, so a run that fails or is
// cancelled leaves the previous result file whole. The temporary file is made
// new under a name no entry has yet, so that nothing planted beside the result
// (a link named like it) is ever written through.

#include "common/folder_handle.h"
#include "format/wav_dynamic_file.h"

#include <optional>
#include <string>
#include <string_view>

namespace ferwis {

class ResultFileWriter {
public:
    // Creates the temporary file in the folder of result_path. Throws FileError.
    explicit ResultFileWriter(std::string result_path);
    // Removes the temporary file unless commit() succeeded.
    ~ResultFileWriter();
    ResultFileWriter(const ResultFileWriter&) = delete;
    ResultFileWriter& operator=(const ResultFileWriter&) = delete;

    // Writes one record ("path","code" CR LF). Throws FileError.
    void add(std::string_view path, std::string_view code);

    // Appends every record of wav_dynamic.txt, read field by field and written
    // again. Throws FileError.
    void add_records_of(const WavDynamicFile& records);

    // Closes the temporary file and moves it over the result file. Throws
    // FileError; the previous result file then stays as it was.
    void commit();

private:
    void write(std::string_view bytes);
    void discard();

    std::string result_path_;
    std::optional<FolderHandle> folder_;
    std::string name_;
    std::string temp_name_;
    std::optional<OpenFile> file_;
    std::string buffer_;
    bool committed_ = false;
};

} // namespace ferwis
