#include "results/file_operations.h"

#include "common/catalogue.h"
#include "common/errors.h"
#include "common/file_system.h"
#include "common/folder_handle.h"
#include "common/native_path.h"
#include "common/text_compare.h"
#include "format/file_beside.h"
#include "format/file_state.h"
#include "format/provenance_file.h"
#include "format/result_record.h"
#include "results/folder_walk.h"
#include "results/operation_journal.h"
#include "results/operation_words.h"
#include "results/record_path.h"
#include "results/result_freshness.h"
#include "results/result_provenance.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <functional>
#include <future>
#include <memory>
#include <optional>
#include <set>
#include <unordered_set>
#include <utility>

namespace ferwis {
namespace {

constexpr std::size_t kCopyChunk = 1 << 18;

// A move makes its copies durable batch by batch: one sync of the target's
// file system per batch instead of two per file, run while the next batch is
// copied. A batch ends at whichever limit comes first; the source folders of
// its files stay open until its sources are deleted, so their number is
// bounded too (two batches' worth stay well below a process's usual 1024).
constexpr std::size_t kBatchFiles = 4096;
constexpr std::uintmax_t kBatchBytes = std::uintmax_t{1} << 30;
constexpr std::size_t kBatchFolders = 256;
// A trash delete enters this many files in its journal with one sync, then
// trashes them: small enough that a cancel or a look at the progress waits
// little for the trash.
constexpr std::size_t kTrashBatchFiles = 256;

// The paths a result lists, in the form records compare: one hash each, so
// that a whole result costs a few bytes a record. Two paths with one hash
// only leave a file alone that could have been acted on.
class PathHashes {
public:
    void add(std::string_view path) { hashes_.push_back(hash_of(path)); }
    void seal() { std::sort(hashes_.begin(), hashes_.end()); }
    bool contains(std::string_view path) const {
        return std::binary_search(hashes_.begin(), hashes_.end(), hash_of(path));
    }

private:
    static std::size_t hash_of(std::string_view path) {
        return std::hash<std::string>()(to_lower(normalize_record_path(path)));
    }
    std::vector<std::size_t> hashes_;
};

class Run {
public:
    Run(const OperationSettings& settings, const OperationRequest& request, Progress& progress,
        Trash* trash, OperationObserver* observer, const PathHashes& other_codes,
        JournalWriter* journal)
        : request_(request), progress_(progress), trash_(trash), observer_(observer),
          journal_(request.dry_run ? nullptr : journal), other_codes_(other_codes),
          source_(as_folder(settings.main_dir)), target_(as_folder(settings.copy_move_path)) {}

    const OperationSummary& summary() const { return summary_; }
    bool stopped() const { return summary_.stopped; }

    void record(const ResultRecord& record) {
        const std::string path = normalize_record_path(record.path);
        progress_.set_detail(to_lower(path));
        let_events_run(progress_);
        if (!record.well_formed) {
            skip(SkipReason::Malformed, path);
            return;
        }
        // A path that is also another code's record is one file with two
        // answers, or two files whose names the result could not tell apart.
        if (other_codes_.contains(path)) {
            skip(SkipReason::ListedTwice, path);
            return;
        }
        const auto relative = source_.relative_path(path);
        if (!relative) {
            skip(SkipReason::Outside, path);
            return;
        }
        const std::vector<std::string> parts = components(*relative);
        const std::string& name = parts.back();
        if (source_.could_name_two(parts)) {
            skip(SkipReason::Ambiguous, path);
            return;
        }
        std::shared_ptr<FolderHandle> folder;
        switch (source_.open_folder(parts, folder)) {
        case SourceFolders::Reach::Outside:
            skip(SkipReason::Outside, path);
            return;
        case SourceFolders::Reach::Missing:
            skip_if_unnamed(path, *relative);
            return;
        case SourceFolders::Reach::Open:
            break;
        }
        if (name.empty() || name == "." || name == "..") {
            return;
        }
        const EntryStatus entry = folder->status(name);
        if (entry.kind != EntryKind::File && entry.kind != EntryKind::Link) {
            // Gone, or no file: nothing to act on, as with a missing file.
            skip_if_unnamed(path, *relative);
            return;
        }
        if (!sources_done_.insert(entry.identity).second) {
            return; // the same file named twice is acted on once
        }
        if (const OtherUser* user = kept_user(path)) {
            skip(SkipReason::UsedElsewhere, path, place_text(user->place));
            summary_.kept_bytes += entry.kind == EntryKind::File ? entry.size : 0;
            return;
        }
        if (request_.operation == Operation::Delete) {
            remove_source(*folder, name, entry, path);
            return;
        }
        copy_source(folder, name, entry, path, join(parts, parts.size() - 1));
    }

    // Ends the run's last batches of a move: their copies made durable, then
    // their sources deleted.
    void finish() {
        trash_batch();
        complete_batch();
        delete_synced_sources();
    }

    // After a failure on a file: the copies placed before it are completed
    // when that can be done, so the count of files moved says what happened.
    void finish_after_failure() {
        try {
            finish();
        } catch (const FileError&) {
            // The first failure is the one told; these sources stay beside their copies.
        }
    }

private:
    void skip(SkipReason reason, std::string path, std::string detail = {}) {
        SkippedFile skipped{reason, std::move(path), std::move(detail)};
        if (observer_ != nullptr) {
            observer_->skipped(skipped);
        }
        summary_.skipped.push_back(std::move(skipped));
    }

    const OtherUser* kept_user(const std::string& path) const {
        const bool takes_away = request_.operation != Operation::Copy;
        return takes_away && request_.keep != nullptr ? request_.keep->find(path) : nullptr;
    }

    // A record whose file is not found by its text may still name it: the
    // analysis wrote "?" for each letter without a Windows-1250 form. Such a
    // file is there, and is counted as left alone rather than as handled.
    void skip_if_unnamed(const std::string& path, const std::string& relative) {
        if (relative.find('?') != std::string::npos &&
            names_entry_without_form(source_.main_text(), relative)) {
            skip(SkipReason::NameWithoutForm, path);
        }
    }

    void acted(std::string_view source, std::string_view target, std::uintmax_t bytes) {
        ++summary_.files;
        summary_.bytes += bytes;
        if (observer_ != nullptr) {
            observer_->file(source, target, bytes);
        }
    }

    void remove_source(const FolderHandle& folder, const std::string& name,
                       const EntryStatus& entry, const std::string& path) {
        const std::uintmax_t bytes = entry.kind == EntryKind::File ? entry.size : 0;
        if (request_.dry_run) {
            acted(path, {}, bytes);
            return;
        }
        if (request_.delete_mode == DeleteMode::Permanent) {
            // Nothing of it can be undone: the journal only says what went.
            if (journal_ != nullptr) {
                journal_->before(path, entry);
            }
            folder.remove(name);
            if (journal_ != nullptr) {
                journal_->gone();
            }
            acted(path, {}, bytes);
            return;
        }
        // The trash takes a path: the folder's real place, free of links.
        const auto real = folder.real_path();
        if (!real) {
            skip(SkipReason::Changed, path);
            return;
        }
        to_trash_.push_back({*real / to_native(name), entry, path});
        if (to_trash_.size() >= kTrashBatchFiles) {
            trash_batch();
        }
    }

    // A file of a trash delete waiting for its batch.
    struct TrashedFile {
        std::filesystem::path file; // its real place
        EntryStatus entry;
        std::string path;
    };

    // Trashes the batch in hand: each file checked to still be the entry
    // read, all of them entered in the journal and made durable with one
    // sync before the first goes, and each one's place in the trash written
    // after it.
    void trash_batch() {
        std::vector<TrashedFile> batch = std::exchange(to_trash_, {});
        std::erase_if(batch, [this](const TrashedFile& file) {
            if (entry_status(file.file).identity == file.entry.identity) {
                return false;
            }
            skip(SkipReason::Changed, file.path);
            return true;
        });
        if (journal_ != nullptr && !batch.empty()) {
            for (const TrashedFile& file : batch) {
                journal_->before(file.path, file.entry);
            }
            journal_->sync();
        }
        for (const TrashedFile& file : batch) {
            trash_file(file);
        }
    }

    void trash_file(const TrashedFile& file) {
        const TrashOutcome outcome = trash_ != nullptr
                                         ? trash_->move_to_trash(file.file)
                                         : TrashOutcome{false, {}, text(Text::ReasonNoTrash)};
        if (!outcome.moved) {
            skip(SkipReason::NotTrashed, file.path, outcome.reason);
            return;
        }
        // The Recycle Bin does not say where a file went; a trash that does is checked.
        if (!outcome.place.empty() && entry_status(outcome.place).identity != file.entry.identity) {
            skip(SkipReason::NotTrashed, file.path, text(Text::ReasonOtherFileTrashed));
            return;
        }
        if (journal_ != nullptr) {
            journal_->placed(from_native(outcome.place),
                             outcome.place.empty() ? file.entry : entry_status(outcome.place));
        }
        acted(file.path, {}, file.entry.kind == EntryKind::File ? file.entry.size : 0);
    }

    void copy_source(const std::shared_ptr<FolderHandle>& folder, const std::string& name,
                     const EntryStatus& entry, const std::string& path,
                     const std::string& relative_folder) {
        std::optional<OpenFile> source = source_.open_source(*folder, name, entry);
        if (!source) {
            skip(entry.kind == EntryKind::Link ? SkipReason::LinkOutside : SkipReason::Changed,
                 path);
            return;
        }
        // The copy/move path is prepared at the first file to copy; a first
        // level that does not exist stops the run.
        if (!target_.prepare(request_.dry_run)) {
            summary_.stopped = true;
            return;
        }
        const std::string target_text = target_.copy_text() + relative_folder + name;
        bool outside = false;
        bool missing = false;
        std::vector<std::string> parts = components(relative_folder + name);
        const std::shared_ptr<FolderHandle> target =
            target_.open_folder(parts, request_.dry_run, *source_.main(), outside, missing);
        if (outside) {
            skip(SkipReason::TargetOutside, path);
            return;
        }
        const FileIdentity source_id = source->identity();
        // In a dry run nothing is written: a collision is told by the text of
        // the target and by the file that already lies there.
        const EntryStatus there = target ? target->status(name) : EntryStatus{};
        const bool occupied = there.kind != EntryKind::Missing;
        if (occupied && (there.identity == source_id || target_.in_main())) {
            skip(SkipReason::TargetTaken, path);
            return;
        }
        if (request_.dry_run ? !planned_.insert(target_text).second ||
                                   (occupied && !planned_ids_.insert(there.identity).second)
                             : occupied && written_.count(there.identity) != 0) {
            skip(SkipReason::Collision, path);
            return;
        }
        if (occupied) {
            if (there.kind == EntryKind::File && same_bytes(*target, name, *source)) {
                if (request_.operation == Operation::Move && !request_.dry_run) {
                    // The copy that is there counts as this run's own: the
                    // source goes once the batch is durable.
                    if (journal_ != nullptr) {
                        journal_->before(path, entry);
                        journal_->placed(target_text, target->status(name), true);
                    }
                    queue_source({folder, name, entry.identity, path, target_text, 0, true},
                                 target);
                    return;
                }
                note_already_there(path, target_text);
                return;
            }
            if (!request_.overwrite) {
                skip(SkipReason::TargetDiffers, path);
                return;
            }
        }
        if (request_.dry_run) {
            acted(path, target_text, source->size());
            return;
        }
        // The copy is made under a name of its own and takes the file's name
        // only when whole.
        ReplacingFile copy(*target, name, ".ferwis-kopia-");
        const std::uintmax_t bytes = copy_bytes(*source, copy.file());
        const FileIdentity copy_id = copy.file().identity();
        const bool moving = request_.operation == Operation::Move;
        if (moving && !FolderHandle::syncs_file_system()) {
            copy.file().sync(); // no sync of a whole batch here: each copy by itself
        }
        copy.close();
        // Looked at once more just before the rename: a file written earlier
        // in this run may have taken the name meanwhile.
        if (written_.count(target->status(name).identity) != 0) {
            skip(SkipReason::Collision, path);
            return;
        }
        // Only a file the person agreed to replace is replaced: one that came
        // to the target since it was looked at stays.
        if (!copy.commit(occupied && request_.overwrite)) {
            skip(SkipReason::TargetDiffers, path);
            return;
        }
        written_.insert(copy_id);
        if (target->status(name).identity != copy_id) {
            skip(SkipReason::Collision, path, text(Text::ReasonNameTaken));
            return;
        }
        if (moving) {
            // Entered once its copy is whole at the target; the journal is
            // durable before the batch's sources go.
            if (journal_ != nullptr) {
                journal_->before(path, entry);
                journal_->placed(target_text, target->status(name));
            }
            queue_source({folder, name, entry.identity, path, target_text, bytes, false}, target);
            return;
        }
        acted(path, target_text, bytes);
    }

    void note_already_there(std::string_view source, std::string_view target) {
        ++summary_.already_there;
        if (observer_ != nullptr) {
            observer_->already_there(source, target);
        }
    }

    // Whether the file name of folder holds the bytes of source: the lengths
    // first, then the bytes. A file that cannot be read is taken as another.
    bool same_bytes(const FolderHandle& folder, const std::string& name, OpenFile& source) {
        try {
            std::optional<OpenFile> there = folder.open_file(name);
            if (!there || there->size() != source.size()) {
                return false;
            }
            std::vector<char> ours(kCopyChunk);
            std::vector<char> theirs(kCopyChunk);
            for (std::uintmax_t at = 0;;) {
                if (progress_.close_requested()) {
                    throw OperationCancelled();
                }
                const std::size_t got = source.read_at(at, ours.data(), ours.size());
                if (there->read_at(at, theirs.data(), theirs.size()) != got ||
                    !std::equal(ours.begin(), ours.begin() + static_cast<std::ptrdiff_t>(got),
                                theirs.begin())) {
                    return false;
                }
                if (got == 0) {
                    return true;
                }
                at += got;
            }
        } catch (const FileError&) {
            return false;
        }
    }

    // A source of a move whose copy is at its target, waiting for the batch's
    // sync before it goes.
    struct PendingSource {
        std::shared_ptr<FolderHandle> folder;
        std::string name;
        FileIdentity identity;
        std::string path;
        std::string target;
        std::uintmax_t bytes = 0;
        bool already_there = false; // the target held the same bytes before the run
    };

    void queue_source(PendingSource source, const std::shared_ptr<FolderHandle>& target) {
        // The folders to sync: one per file system where a whole one is synced
        // at once, else every folder that got a copy.
        const bool whole = FolderHandle::syncs_file_system();
        const FileIdentity id = target->identity();
        if (std::none_of(batch_folders_.begin(), batch_folders_.end(), [&](const auto& known) {
                return whole ? known.second.device == id.device : known.second == id;
            })) {
            batch_folders_.emplace_back(target, id);
        }
        if (batch_.empty() || batch_.back().folder != source.folder) {
            ++batch_source_folders_; // records come folder by folder
        }
        batch_bytes_ += source.bytes;
        batch_.push_back(std::move(source));
        if (batch_.size() >= kBatchFiles || batch_bytes_ >= kBatchBytes ||
            batch_source_folders_ >= kBatchFolders) {
            complete_batch();
        }
    }

    // Starts making the batch's copies and their folders durable, on a thread
    // of its own while the next batch is copied, once the batch before has
    // been made durable and its sources deleted.
    void complete_batch() {
        if (batch_.empty()) {
            return;
        }
        delete_synced_sources();
        syncing_ = std::exchange(batch_, {});
        std::vector<std::shared_ptr<FolderHandle>> folders;
        for (auto& folder : batch_folders_) {
            folders.push_back(std::move(folder.first));
        }
        batch_folders_.clear();
        batch_bytes_ = 0;
        batch_source_folders_ = 0;
        sync_done_ = std::async(std::launch::async, [folders = std::move(folders)] {
            for (const auto& folder : folders) {
                if (FolderHandle::syncs_file_system()) {
                    folder->sync_file_system();
                } else {
                    folder->sync();
                }
            }
        });
    }

    // Waits for the sync of the batch in hand, then deletes its sources. A
    // kill before the sync ends leaves every file in its place and a whole
    // copy beside it; after it, each file is whole at its target, and at its
    // source until that goes. (Where no whole file system is synced at once, a
    // target that held the same bytes before the run is taken as on the disk:
    // only a file this run wrote can be flushed here.)
    void delete_synced_sources() {
        if (!sync_done_.valid()) {
            return;
        }
        std::vector<PendingSource> batch = std::exchange(syncing_, {});
        sync_done_.get(); // a failed sync fails the run; the batch's sources stay
        if (journal_ != nullptr) {
            journal_->sync();
        }
        for (const PendingSource& source : batch) {
            // The record's own entry goes, and only when it is still the one read.
            if (source.folder->status(source.name).identity != source.identity) {
                skip(SkipReason::Changed, source.path);
                continue;
            }
            source.folder->remove(source.name);
            if (source.already_there) {
                note_already_there(source.path, source.target);
            } else {
                acted(source.path, source.target, source.bytes);
            }
        }
    }

    std::uintmax_t copy_bytes(OpenFile& from, OpenFile& to) {
        // One buffer for the whole run: most files are small, and a fresh one
        // for each would cost more to clear than their bytes to copy.
        if (!copy_buffer_) {
            copy_buffer_ = std::make_unique_for_overwrite<char[]>(kCopyChunk);
        }
        std::uintmax_t total = 0;
        for (;;) {
            // A cancel does not wait for a large file to finish.
            if (progress_.close_requested()) {
                throw OperationCancelled();
            }
            // By offset: the comparison with a file at the target may have read it.
            const std::size_t got = from.read_at(total, copy_buffer_.get(), kCopyChunk);
            to.write(copy_buffer_.get(), got);
            total += got;
            // Fewer bytes than asked for: the file ended, no call more to say so.
            if (got < kCopyChunk) {
                return total;
            }
        }
    }

    const OperationRequest& request_;
    Progress& progress_;
    Trash* trash_;
    OperationObserver* observer_;
    JournalWriter* journal_;
    const PathHashes& other_codes_;
    SourceFolders source_;
    TargetFolders target_;
    std::unordered_set<FileIdentity, FileIdentityHash> written_;
    std::unique_ptr<char[]> copy_buffer_;
    std::set<std::string> planned_;
    std::unordered_set<FileIdentity, FileIdentityHash> sources_done_;
    std::vector<TrashedFile> to_trash_;
    std::unordered_set<FileIdentity, FileIdentityHash> planned_ids_;
    std::vector<PendingSource> batch_;
    std::uintmax_t batch_bytes_ = 0;
    std::size_t batch_source_folders_ = 0;
    std::vector<std::pair<std::shared_ptr<FolderHandle>, FileIdentity>> batch_folders_;
    std::vector<PendingSource> syncing_; // the batch whose sync runs
    std::future<void> sync_done_;
    OperationSummary summary_;
};

// The result file: one that holds no result means no records. One that is
// missing or no regular file is a result that cannot be read: nothing is
// acted on, and nothing beside it removed.
bool has_records(std::string_view result_path) {
    const auto size = file_size(result_path);
    if (!size || !file_exists(result_path)) {
        throw ResultUnreadable(file_detail(result_path, text(Text::ReasonMissing)));
    }
    return holds_result(*size);
}

} // namespace

// One that is already gone leaves its places as they are (bound to bytes that
// are gone).
void delete_result_file(std::string_view result_path) {
    const auto native = to_native(result_path);
    const EntryStatus status = entry_status(native);
    if (status.kind == EntryKind::Missing) {
        return;
    }
    if (status.kind == EntryKind::Folder) {
        throw FileError(std::string(result_path), text(Text::ReasonNotRegularFile));
    }
    std::error_code ec;
    if (!std::filesystem::remove(native, ec) && ec) {
        throw FileError(std::string(result_path), ec.message());
    }
    // The places of the result and the state of its files go with it.
    remove_provenance(result_path);
    remove_file_state(result_path);
}

namespace {

// The paths the result lists under any code but the request's.
// Also counts the records of code, the whole a run's count goes up to.
PathHashes paths_of_other_codes(std::string_view result_path, ResultCode code,
                                std::size_t& own_records) {
    PathHashes paths;
    RecordReader reader(result_path);
    ResultRecord record;
    while (reader.next(record)) {
        if (!names_equal(record.code, code_text(code))) {
            paths.add(record.path);
        } else {
            ++own_records;
        }
    }
    paths.seal();
    return paths;
}

// The status line with the records handled so far of the whole: shown for the
// first and the last record and otherwise a few times a second, since a label
// redrawn per file would cost more than the files on a fast disk.
class CountShown {
public:
    CountShown(Progress& progress, std::string status, std::size_t whole)
        : progress_(progress), status_(std::move(status)), whole_(whole) {}

    void next() {
        ++done_;
        const auto now = std::chrono::steady_clock::now();
        if (done_ == 1 || done_ == whole_ || now - shown_ >= std::chrono::milliseconds(250)) {
            progress_.set_status(counted_status(status_, done_, whole_));
            shown_ = now;
        }
    }

private:
    Progress& progress_;
    std::string status_;
    std::size_t whole_;
    std::size_t done_ = 0;
    std::chrono::steady_clock::time_point shown_;
};

} // namespace

bool leaves_file_behind(SkipReason reason) {
    switch (reason) {
    case SkipReason::Collision:
    case SkipReason::Changed:
    case SkipReason::NotTrashed:
    case SkipReason::NameWithoutForm:
    case SkipReason::Ambiguous:
    case SkipReason::ListedTwice:
    case SkipReason::TargetDiffers:
        return true;
    default:
        return false;
    }
}

bool OperationSummary::left_a_file_behind() const {
    return std::any_of(skipped.begin(), skipped.end(),
                       [](const SkippedFile& file) { return leaves_file_behind(file.reason); });
}

std::size_t OperationSummary::count(SkipReason reason) const {
    std::size_t n = 0;
    for (const auto& file : skipped) {
        n += file.reason == reason ? 1 : 0;
    }
    return n;
}

OperationSummary execute_operation(const OperationSettings& settings,
                                   const OperationRequest& request, std::string_view result_path,
                                   Progress& progress, Trash* trash, OperationObserver* observer,
                                   JournalWriter* journal) {
    // A dry run reads and compares, it does not copy: its status says so.
    const std::string status =
        text(request.dry_run ? Text::PreviewReading : operation_words(request).status);
    const bool records = has_records(result_path);
    const Freshness freshness = check_freshness(result_path, settings.main_dir);
    progress.set_status(status);
    PathHashes other_codes;
    std::size_t own_records = 0;
    std::optional<Run> run;
    try {
        if (records) {
            other_codes = paths_of_other_codes(result_path, request.code, own_records);
        }
    } catch (const FileError& error) {
        throw ResultUnreadable(error.what());
    }
    run.emplace(settings, request, progress, trash, observer, other_codes, journal);
    if (journal != nullptr) {
        journal->main_directory(as_folder(settings.main_dir)); // undo puts files back only below it
    }
    OperationSummary summary;
    try {
        if (records) {
            RecordReader reader(result_path);
            ResultRecord record;
            CountShown count(progress, status, own_records);
            while (!run->stopped() && reader.next(record)) {
                if (names_equal(record.code, code_text(request.code))) {
                    count.next();
                    run->record(record);
                }
            }
            run->finish();
        }
        if (journal != nullptr && !request.dry_run) {
            journal->end();
        }
        progress.set_status("");
        progress.set_detail("");
        summary = run->summary();
        summary.freshness_unknown = freshness == Freshness::Unknown;
        // A run that acted on no file leaves the result as it was: it still
        // says what is on the disk.
        if (request.operation != Operation::Copy && !request.dry_run &&
            !summary.acted_on_nothing()) {
            delete_result_file(result_path);
            summary.result_file_deleted = true;
        }
    } catch (const FileError& error) {
        run->finish_after_failure();
        const std::string path = error.path();
        throw OperationFailure(error.what(),
                               operation_failed_file(path, folder_part(path), error.reason(),
                                                     operation_words(request).done,
                                                     run->summary().files));
    }
    return summary;
}

ConfirmationFacts confirmation_facts(const OperationSettings& settings,
                                     const OperationRequest& request,
                                     std::string_view result_path) {
    OperationRequest dry = request;
    dry.dry_run = true;
    struct Quiet : Progress {
        void set_status(std::string_view) override {}
        void set_detail(std::string_view) override {}
        void process_events() override {}
    } progress;
    // A result that cannot be read is said as such by the run itself; any other
    // failure (the copy/move path, say) is said as what it is.
    const OperationSummary summary = execute_operation(settings, dry, result_path, progress);
    ConfirmationFacts facts;
    facts.files = summary.files;
    facts.bytes = summary.bytes;
    facts.skipped = summary.skipped.size();
    facts.differing = summary.count(SkipReason::TargetDiffers);
    facts.already_there = summary.already_there;
    facts.left_behind = summary.left_a_file_behind();
    facts.freshness_unknown = summary.freshness_unknown;
    facts.kept_bytes = summary.kept_bytes;
    std::set<std::string> users;
    for (const SkippedFile& file : summary.skipped) {
        if (file.reason != SkipReason::UsedElsewhere) {
            continue;
        }
        ++facts.kept;
        const std::string& scenery = request.keep->find(file.path)->scenery;
        if (users.insert(scenery).second && facts.kept_by.size() < 5) {
            facts.kept_by.push_back(scenery);
        }
    }
    facts.kept_users = users.size();
    if (request.operation != Operation::Delete) {
        facts.target_folder = as_folder(settings.copy_move_path);
    }
    return facts;
}

} // namespace ferwis
