#pragma once

#include "common/catalogue.h"
#include "common/progress.h"
#include "common/trash.h"
#include "format/result_code.h"
#include "format/settings.h"
#include "format/used_elsewhere.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ferwis {

class JournalWriter;

enum class Operation { Copy, Move, Delete };

// Where a delete puts the files: the system trash (undone from the file
// manager) or nowhere.
enum class DeleteMode { Trash, Permanent };

struct OperationRequest {
    Operation operation = Operation::Copy;
    ResultCode code = ResultCode::U;
    DeleteMode delete_mode = DeleteMode::Trash;
    bool dry_run = false; // only tell what would be done; change nothing
    // Replace a file at the target that differs from its source; without it
    // such a file stays and its source is left (TargetDiffers).
    bool overwrite = false;
    // A move or delete leaves the files these sceneries use where they are
    // (UsedElsewhere); a copy takes nothing away and copies them too.
    const UsedElsewhere* keep = nullptr;
};

// Why a record of the category was left alone.
enum class SkipReason {
    Outside,       // not below the main directory on the disk, or with ".."
    Malformed,     // the record's path does not end at its closing quote
    LinkOutside,   // a link to a file outside the main directory (copy, move)
    TargetOutside, // its target folder does not lie inside the copy path
    TargetTaken,   // the target is the file itself or a file of the main directory
    Collision,     // its target was written earlier in the same run
    Changed,       // the file changed while the run acted on it
    NotTrashed,    // it could not go to the trash, and stays
    // A name on its way has no Windows-1250 form, or holds a double quote, CR
    // or LF: the record holds "?" there and cannot name the file.
    NameWithoutForm,
    // The record's "?" may stand for another character of another file of the
    // same folder: it could name either.
    Ambiguous,
    // The result lists the same path under another code too.
    ListedTwice,
    // Another file already lies at the target, and overwrite was not asked for.
    TargetDiffers,
    // A scenery outside the analysis uses it (move, delete): kept as asked.
    UsedElsewhere,
};

// Every reason, in the order the end messages give them.
inline constexpr std::array kSkipReasons = {
    SkipReason::Outside,       SkipReason::Malformed,   SkipReason::LinkOutside,
    SkipReason::TargetOutside, SkipReason::TargetTaken, SkipReason::Collision,
    SkipReason::Changed,       SkipReason::NotTrashed,  SkipReason::NameWithoutForm,
    SkipReason::Ambiguous,     SkipReason::ListedTwice, SkipReason::TargetDiffers,
    SkipReason::UsedElsewhere};

// Whether a file skipped for the reason is one the person asked to act on and
// that stays where it was (the run did not do all it was asked).
bool leaves_file_behind(SkipReason reason);

struct SkippedFile {
    SkipReason reason = SkipReason::Outside;
    std::string path;   // the record's path, Windows-1250
    std::string detail; // the system's reason, when there is one; UsedElsewhere: the place
};

struct OperationSummary {
    std::size_t files = 0;    // files copied, moved or deleted (or that would be)
    std::uintmax_t bytes = 0; // their bytes
    // Files whose target already holds the same bytes: nothing is copied (a
    // move deletes the source once that target is durable).
    std::size_t already_there = 0;
    std::vector<SkippedFile> skipped;
    bool stopped = false;             // the copy/move path's first level is missing
    bool result_file_deleted = false; // a move or delete run ended with no wynik.txt
    std::uintmax_t kept_bytes = 0;    // of the files kept as used elsewhere
    // The result has no record of the files it was made from: it was acted on unchecked.
    bool freshness_unknown = false;

    std::size_t count(SkipReason reason) const;
    // Whether no file was (or would be) acted on: the result file then stays.
    bool acted_on_nothing() const { return files == 0 && already_there == 0; }
    // Whether a file the person asked to act on stays where it was.
    bool left_a_file_behind() const;
};

// Sees every file as it is acted on (or, in a dry run, would be).
class OperationObserver {
public:
    virtual ~OperationObserver() = default;
    // target is empty for a delete.
    virtual void file(std::string_view source, std::string_view target, std::uintmax_t bytes) = 0;
    virtual void skipped(const SkippedFile& file) = 0;
    // A file whose target already holds the same bytes.
    virtual void already_there(std::string_view source, std::string_view target) = 0;
};

// Copies, moves or deletes every file of the category listed in the result
// file at result_path. The main directory and the copy path are opened once,
// and every record's folder is reached from them entry by entry: a link on the
// way is followed only when its folder really lies inside the main directory
// (or, on the target side, inside the copy path). A record that names a link
// deletes the link itself; copying one that leads out of the main directory is
// refused. A run never replaces a file it wrote itself, and a move deletes a
// source only once its own bytes are at its target and durable there (made
// durable batch by batch: a batch of copies, then one sync, then the batch's
// sources). Copies go through a temporary file that never outlives a failure
// or a cancel. A file already at the target is replaced only with overwrite,
// and a target with the same bytes as its source is already there. A record
// that could name more than one file (its "?" may stand for another character)
// or whose path the result also lists under another code is left alone. A
// delete goes to trash unless the request says Permanent (trash may then be
// null). A move or delete run that reaches its end having acted on a file
// deletes the result file (not a dry run); one that acted on nothing changes
// nothing.
//
// Throws ResultUnreadable when the result file is missing or cannot be read
// (nothing is changed), StaleResult when a file its analysis read or missed
// has changed since (nothing is changed), OperationFailure when the run fails (files handled so
// far stay so; the result file stays; the particulars name the file, its
// folder and how many files were handled), and OperationCancelled on a close
// request or signal.
//
// With a journal (move, delete), each file is entered there before it is
// touched and completed once it lies where it went.
OperationSummary execute_operation(const OperationSettings& settings,
                                   const OperationRequest& request, std::string_view result_path,
                                   Progress& progress, Trash* trash = nullptr,
                                   OperationObserver* observer = nullptr,
                                   JournalWriter* journal = nullptr);

// Deletes the result file and its places after a move, a delete or an undo;
// one that is already gone is fine. Throws FileError.
void delete_result_file(std::string_view result_path);

// What a confirmation tells before the run: the files the run would act on,
// their size, and (copy, move) the folder they go to.
struct ConfirmationFacts {
    std::size_t files = 0;
    std::uintmax_t bytes = 0;
    std::string target_folder; // Windows-1250; empty for a delete
    std::size_t skipped = 0;
    std::size_t differing = 0;     // other files at the targets (copy, move)
    std::size_t already_there = 0; // targets with the same bytes (copy, move)
    bool left_behind = false;      // a file asked for would stay where it is
    std::size_t kept = 0;          // files kept as used elsewhere, and their bytes
    std::uintmax_t kept_bytes = 0;
    // Up to five sceneries that use them, first met first, and how many do.
    std::vector<std::string> kept_by;
    std::size_t kept_users = 0;
    bool freshness_unknown = false;

    // No file would be acted on, whatever is answered about the targets.
    bool nothing_to_act_on() const {
        return files == 0 && already_there == 0 && differing == 0 && kept == 0;
    }
};

// A dry run of the request, for its confirmation. Throws as execute_operation
// does (nothing is changed). The files and bytes count the
// differing targets as the request's overwrite says.
ConfirmationFacts confirmation_facts(const OperationSettings& settings,
                                     const OperationRequest& request, std::string_view result_path);

} // namespace ferwis
