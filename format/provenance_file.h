#pragma once
// wynik_zrodla.txt: for each row of wynik.txt that the analysis marked or
// appended, the first place that named the file. It lies beside wynik.txt, is
// replaced together with it, and names the size and hash of the wynik.txt it
// belongs to in its first line, so that a result file edited, replaced or
// restored later is never explained by places that belong to another.
//
//     <size of wynik.txt>,<hash of wynik.txt, 16 hex digits>
//     <row>,"<file>",<line>
//
// Windows-1250, CR LF. Rows count the records of wynik.txt from 1. The line is
// empty for a place without lines (a binary model); the file is empty for a
// scenery selected for the run, which no other file named.

#include "common/line_reader.h"
#include "format/file_beside.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ferwis {

// The size and a hash of a file's bytes: 64-bit FNV-1a taken over 8-byte
// little-endian words, the last few bytes one by one. A content check, not a
// protection against deliberate forgery; word by word it costs the analysis
// next to nothing. The same bytes give the same digest however they are cut
// into pieces for add().
class ResultDigest {
public:
    void add(std::string_view bytes);
    std::uint64_t size() const { return size_; }
    std::uint64_t hash() const;
    bool operator==(const ResultDigest& other) const {
        return size() == other.size() && hash() == other.hash();
    }

private:
    void mix(std::uint64_t word) { hash_ = (hash_ ^ word) * 1099511628211ULL; }

    std::uint64_t size_ = 0;
    std::uint64_t hash_ = 14695981039346656037ULL;
    std::array<unsigned char, 8> pending_{}; // bytes of a word not yet complete
    std::size_t pending_size_ = 0;
};

// The digest of the file at path, or nothing when it cannot be read.
std::optional<ResultDigest> digest_of_file(std::string_view path);

// The first line of a file beside the result file, which binds it to the
// result's bytes: their size and hash.
std::string binding_line(const ResultDigest& result);

// Opens the file at path beside a result file and reads its first line.
// Nothing when there is no such file or it is bound to another result. Throws
// FileError.
std::optional<LineReader> open_bound_file(const std::string& path, const ResultDigest& result);

// The path of a file beside the result file: the result's name without
// ".txt", then suffix.
std::string side_file_path(std::string_view result_path, std::string_view suffix);

// The path of the provenance file that belongs to the result file at
// result_path: its name without ".txt", then "_zrodla.txt" (wynik.txt gives
// wynik_zrodla.txt).
std::string provenance_path(std::string_view result_path);

// A place that named a file. An empty file: the scenery was selected for the
// run. Line 0: the file has no lines (a binary model).
struct SourcePlace {
    std::string file;
    std::uint32_t line = 0;
    bool operator==(const SourcePlace&) const = default;
};

// Writes the provenance file through a temporary file beside it, made new like
// the result file's, so that nothing planted beside it is written through.
class ProvenanceFileWriter {
public:
    // Creates the temporary file and writes the line that binds it to the result
    // file of the digest. Throws FileError.
    ProvenanceFileWriter(std::string_view result_path, const ResultDigest& result);
    // Writes the place of a row (counted from 0; written counted from 1). Throws FileError.
    void add(std::size_t row, std::string_view file, std::uint32_t line);

    // Closes the temporary file and moves it over the provenance file. Throws FileError.
    void commit();

private:
    ReplacingFile file_;
    std::string buffer_;
};

// Places by row of the result file (counted from 0), in row order.
struct RowPlace {
    std::size_t row = 0;
    SourcePlace place;
};

// Reads the provenance file of the result file whose digest is given. Nothing
// when there is none, it cannot be read, it is malformed, or it belongs to
// another result file.
std::optional<std::vector<RowPlace>> read_provenance(std::string_view result_path,
                                                     const ResultDigest& result);

// Deletes the provenance file of the result file, when there is one. Never fails:
// a provenance file left behind is bound to a result file that is gone.
void remove_provenance(std::string_view result_path);

} // namespace ferwis
