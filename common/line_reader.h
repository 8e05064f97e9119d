#pragma once
// Reads the program's text files line by line: a line ends at CR LF, at a CR
// alone or at a LF alone, a last line without line end is read, and a file of
// zero bytes has no lines.

#include "common/folder_handle.h"

#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace ferwis {

// The longest line a reader holds: far beyond any line of real content (the
// analysis classifies lines of up to 1000 characters), and small enough that a
// file without line ends cannot exhaust the memory.
inline constexpr std::size_t kMaxLineLength = std::size_t{16} << 20;

class LineReader {
public:
    // Opens the regular file at path (Windows-1250 text), relative to a folder
    // held open for it where there is one. Throws FileError when it cannot,
    // also when the path names no regular file.
    explicit LineReader(std::string_view path);
    // The same for a file given by its native path; path is its text, for messages.
    LineReader(const std::filesystem::path& native, std::string_view path);
    // Reads the lines of a file's bytes read before (all of them, size of
    // them); path is the file's text, for messages.
    LineReader(std::unique_ptr<char[]> bytes, std::size_t size, std::string_view path);
    // Reads the lines of a file opened before (open_file_for_reading); path
    // is its text, for messages.
    LineReader(OpenFile file, std::string_view path);

    // Reads the next line into line (without its line end). Returns false at the
    // end of the file. Throws FileError on a read error and LineTooLong on a line
    // longer than kMaxLineLength; after either the file is not to be read on.
    bool next(std::string& line);

    // The number of the line next() gave last, counted from 1 (0 before the first).
    std::size_t line_number() const { return line_number_; }

    // The file's length and last write time when it was opened.
    const platform::RegularFileStamp& stamp_when_opened() const {
        return file_.stamp_when_opened();
    }

private:
    bool fill();
    // The offset of the line end of the line at pos_ in the block, end_ when
    // the block holds none.
    std::size_t line_end();

    OpenFile file_;
    std::string path_;
    std::size_t capacity_ = 0;       // of buffer_
    std::unique_ptr<char[]> buffer_; // left uninitialised: only the bytes read are looked at
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    bool eof_ = false;
    // The first LF at or after pos_ (end_: none in the block), and the first CR
    // before it (lf_at_: none); valid once scanned_ for this block.
    std::size_t lf_at_ = 0;
    std::size_t cr_at_ = 0;
    bool scanned_ = false;
    std::size_t line_number_ = 0;
};

} // namespace ferwis
