#pragma once
// One record of wynik.txt or wav_dynamic.txt: "path","code" followed by CR LF.

#include "common/line_reader.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace ferwis {

// A result file shorter than 4 bytes holds no result: it is neither shown nor
// acted on, and the window offers neither until an analysis writes one.
inline bool holds_result(std::uintmax_t size) {
    return size >= 4;
}

struct ResultRecord {
    std::string path;
    std::string code; // as read; compare with parse_code()/names_equal
    // False when the path's closing quote is missing or followed by anything
    // but the comma or the line end: what the path says is then uncertain.
    bool well_formed = true;
};

// Whether the path holds a double quote, CR or LF, which would end its field
// or its record. Asked for every path written: one pass without a branch per
// byte, as the three lie below '#', where few bytes of a path do.
inline bool breaks_record(std::string_view path) {
    bool low = false;
    for (const char c : path) {
        low |= static_cast<unsigned char>(c) < '#';
    }
    return low && path.find_first_of("\"\r\n") != std::string_view::npos;
}

// Appends the record in its exact byte form: a double quote, the path, the three
// characters "," (quote comma quote), the code, a double quote, CR LF. A double
// quote, CR or LF of the path is written as "?".
void append_record(std::string& out, std::string_view path, std::string_view code);

// Reads the two fields of one line: leading blanks of a field are skipped; a field
// that starts with a double quote runs to the next double quote (a comma inside
// belongs to it) and the quotes are dropped, anything up to the next comma after
// it is ignored; a field without quotes runs to the next comma or the end of the
// line and loses trailing blanks. A line with one field gives an empty code.
ResultRecord parse_record(std::string_view line);

// Reads a result file record by record, one record a line.
class RecordReader {
public:
    // Opens the file at path. Throws FileError when it cannot.
    explicit RecordReader(std::string_view path);

    // Reads the next record. Returns false at the end of the file. Throws
    // FileError on a read error and on a line too long to be held (LineTooLong).
    bool next(ResultRecord& record);

private:
    LineReader lines_;
    std::string line_;
};

} // namespace ferwis
