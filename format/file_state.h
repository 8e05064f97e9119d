#pragma once
// wynik_stan.txt: the state of the files an analysis was made from, so that a
// file operation never acts on a result the installation has left behind. It
// lies beside wynik.txt, is replaced together with it, and is bound to its
// bytes by the same first line as wynik_zrodla.txt.
//
//     <size of wynik.txt>,<hash of wynik.txt, 16 hex digits>
//     S,"<selected scenery>"
//     R,"<file read>",<size>,<modification time>
//     M,"<file looked for and missed>"
//
// Windows-1250, CR LF. A selected scenery is named as it was selected (below
// scenery/); a file read (scenery, include, model, definition file) and a file
// missed (a B or BD row) by its whole path. The time counts the file system's
// own ticks, compared only with what the same system says later.

#include "format/file_beside.h"
#include "format/provenance_file.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ferwis {

// The size and modification time of a file.
struct FileStamp {
    std::uintmax_t size = 0;
    std::int64_t time = 0;
    bool operator==(const FileStamp&) const = default;
};

// The stamp of the regular file at path, or nothing when there is none.
std::optional<FileStamp> file_stamp(std::string_view path);

struct ReadFile {
    std::string path;
    FileStamp stamp;
};

struct FileState {
    std::vector<std::string> selected; // the sceneries the run was asked to read
    std::vector<ReadFile> read;
    std::vector<std::string> missed;
};

// The path of the state file of the result file at result_path (wynik.txt
// gives wynik_stan.txt).
std::string file_state_path(std::string_view result_path);

// Writes the state file of a result file through a temporary file beside it,
// record by record, so that an analysis need not gather the paths of a large
// installation a second time. The records go in the order of the file: the
// selected sceneries, then the files read, then the files missed. A path a
// record could not name is left out: nothing could check it later.
class FileStateWriter {
public:
    // Creates the temporary file and writes the line that binds it to the
    // result file of the digest. Throws FileError.
    FileStateWriter(std::string_view result_path, const ResultDigest& result);
    // Each throws FileError.
    void add_selected(std::string_view name) { add('S', name, nullptr); }
    void add_read(std::string_view path, const FileStamp& stamp) { add('R', path, &stamp); }
    void add_missed(std::string_view path) { add('M', path, nullptr); }
    // Closes the temporary file and moves it over the previous state file.
    // Throws FileError.
    void commit();

private:
    void add(char kind, std::string_view path, const FileStamp* stamp);

    ReplacingFile file_;
    std::string buffer_;
};

// Writes the state file of the result file of the digest (FileStateWriter).
// A file read whose stamp cannot be taken now is left out. Throws FileError.
void write_file_state(std::string_view result_path, const ResultDigest& result,
                      const FileState& state);

// Reads the state file of the result file of the digest. Nothing when there is
// none, it cannot be read, it is malformed, or it belongs to another result file.
std::optional<FileState> read_file_state(std::string_view result_path, const ResultDigest& result);

// Deletes the state file of the result file, when there is one. Never fails.
void remove_file_state(std::string_view result_path);

} // namespace ferwis
