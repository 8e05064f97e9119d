#pragma once
// The journal of a move or delete: one file per operation in the journal
// folder beside ferwis.ini, kept until the person removes it. Each file is
// entered before it is touched (durable by then) and completed once it lies
// where it went, so a run killed half-way leaves a journal that says how far
// it got, and the operation can be undone after a restart.
//
// One line each, Windows-1250, CR LF:
//   ferwis-dziennik 1
//   operation move|trash|delete        category U|N|UD       started DATE
//   main FOLDER                        the main directory the paths lie below
//   file SIZE TIME DEVICE NODE PATH    the file as it was, before it is touched
//   to SIZE TIME DEVICE NODE PLACE     where it went (its target, or its place
//                                      in the trash; no place: the trash did not say):
//                                      the file entered last, or the one entered
//                                      with this identity (a trash batch enters
//                                      its files before it takes any)
//   kept SIZE TIME DEVICE NODE PLACE   a move's target held the same bytes before
//   gone                               deleted for good
//   end                                the operation reached its end
//   undone DATE                        every file was put back

#include "common/folder_handle.h"
#include "results/file_operations.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ferwis {

// Writes the journal of one operation. The file is made at the first entry,
// so an operation that touches nothing leaves none.
class JournalWriter {
public:
    // folder: the journal folder (Windows-1250, ending with the separator),
    // made when missing.
    JournalWriter(std::string folder, const OperationRequest& request);
    JournalWriter(const JournalWriter&) = delete;
    JournalWriter& operator=(const JournalWriter&) = delete;

    // The main directory the paths lie below (ending with the separator);
    // before the first entry.
    void main_directory(std::string_view main);

    // Enters a file before it is touched; the entry is on the disk at the
    // next sync(). Throws FileError.
    void before(std::string_view path, const EntryStatus& file);
    // Where the file entered last went and what lies there now; an empty place
    // when the trash did not say. Throws FileError.
    void placed(std::string_view place, const EntryStatus& there, bool kept = false);
    // The file entered last was deleted for good. Throws FileError.
    void gone();
    // Makes what was entered durable. Throws FileError.
    void sync();
    // The operation reached its end. Throws FileError.
    void end();

    // The journal's name, empty while nothing was entered.
    const std::string& id() const { return id_; }

private:
    void line(const std::string& text);

    std::string folder_;
    std::string header_;
    std::string id_;
    std::optional<OpenFile> file_;
};

// One file of a journal.
struct JournalFile {
    enum class State { Entered, Placed, Kept, Gone };
    State state = State::Entered;
    std::string path; // where it was
    EntryStatus was;
    std::string place; // where it went
    EntryStatus there;
};

struct Journal {
    std::string id;
    std::string operation; // "move", "trash" or "delete"
    std::string category;
    std::string started;
    std::string main; // the main directory; a file is put back only below it
    std::vector<JournalFile> files;
    bool ended = false;
    bool undone = false;

    // The files that left their place, and their bytes.
    std::size_t moved_files() const;
    std::uintmax_t moved_bytes() const;
};

// The journals of folder, oldest first (their names are their dates). A
// file that is no journal is passed over. Throws FileError.
std::vector<Journal> read_journals(std::string_view folder);

// What an undo did.
struct UndoSummary {
    std::string id;           // the journal undone; empty when there was none
    bool permanent = false;   // a delete for good: nothing to put back
    std::size_t restored = 0; // files put back
    std::uintmax_t bytes = 0;
    // Files left where they are, with the reason (Windows-1250).
    std::vector<std::pair<std::string, std::string>> left;
    // Files the trash cannot give back by program: back by hand.
    std::vector<std::string> by_hand;
    bool result_file_deleted = false;

    bool complete() const { return !permanent && left.empty() && by_hand.empty(); }
};

// Undoes the operation of the journal id of folder, or the last one not yet
// undone when id is empty. A file goes back only when what lies at its target
// or in the trash is still the file that went there (identity, size and time)
// and its own place is free; it never replaces anything. Its place is reached
// from the journal's main directory folder by folder, a link followed only
// where it stays inside. Deletes the result
// file once a file went back. Throws UndoFailure when the journal cannot be
// read or a folder fails.
UndoSummary undo_operation(std::string_view folder, std::string_view id,
                           std::string_view result_path, Trash* trash, Progress& progress);

} // namespace ferwis
