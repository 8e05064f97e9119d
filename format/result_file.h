#pragma once
// Writing wynik.txt. The records go to a temporary file beside it, which
// replaces wynik.txt only when it is complete, so a run that fails or is
// cancelled leaves the previous result file whole.

#include <cstdio>
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

    // Appends every record of a file in the same form (wav_dynamic.txt), read
    // field by field and written again. Throws FileError.
    void add_records_of(const std::string& records_path);

    // Closes the temporary file and moves it over the result file. Throws
    // FileError; the previous result file then stays as it was.
    void commit();

private:
    void write(std::string_view bytes);
    void discard();

    std::string result_path_;
    std::string temp_path_;
    std::FILE* file_ = nullptr;
    std::string buffer_;
    bool committed_ = false;
};

} // namespace ferwis
