#pragma once
// Reads the program's text files line by line: a line ends at CR, a LF right
// after that CR belongs to the line end, a LF alone is an ordinary character, a
// last line without line end is read, and a file of zero bytes has no lines.

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace ferwis {

class LineReader {
public:
    // Which bytes end a line: the program's data files end lines at CR only; a
    // file people edit by hand (wynik.txt) also at a LF alone.
    enum class LineEnds { Cr, CrOrLf };

    // Opens the file at path (Windows-1250 text). Throws FileError when it cannot.
    explicit LineReader(std::string_view path, LineEnds ends = LineEnds::Cr);
    ~LineReader();
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    // Reads the next line into line (without its line end). Returns false at the
    // end of the file. Throws FileError on a read error.
    bool next(std::string& line);

private:
    bool fill();
    const char* find_line_end(const char* start, const char* stop) const;

    std::FILE* file_ = nullptr;
    LineEnds ends_;
    std::string path_;
    std::vector<char> buffer_;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    bool eof_ = false;
};

} // namespace ferwis
