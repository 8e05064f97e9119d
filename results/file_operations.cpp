#include "results/file_operations.h"

#include "common/catalogue.h"
#include "common/errors.h"
#include "common/file_system.h"
#include "common/folder_handle.h"
#include "common/native_path.h"
#include "common/text_compare.h"
#include "format/provenance_file.h"
#include "format/result_record.h"
#include "results/operation_words.h"
#include "results/record_path.h"
#include "results/target_folder.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <functional>
#include <future>
#include <memory>
#include <optional>
#include <set>
#include <unordered_map>
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

std::string as_folder(std::string_view path) {
    std::string folder = normalize_record_path(path);
    if (!folder.empty()) {
        ensure_final_separator(folder);
    }
    return folder;
}

// Splits a relative path at its separators.
std::vector<std::string> components(std::string_view relative) {
    std::vector<std::string> parts;
    for_each_part(relative, [&parts](std::string_view part, bool) {
        parts.emplace_back(part);
        return true;
    });
    return parts;
}

std::string join(const std::vector<std::string>& parts, std::size_t count) {
    std::string joined;
    for (std::size_t i = 0; i < count; ++i) {
        joined += parts[i];
        joined.push_back(kSeparator);
    }
    return joined;
}

// A temporary copy in the target folder, removed unless it took its place.
class TemporaryCopy {
public:
    TemporaryCopy(const FolderHandle& folder) : folder_(folder) {
        for (int i = 0; !file_; ++i) {
            name_ = ".ferwis-kopia-" + std::to_string(i) + ".tmp";
            file_ = folder.create_file(name_);
        }
    }
    ~TemporaryCopy() {
        if (!placed_) {
            file_.reset();
            try {
                folder_.remove(name_);
            } catch (const FileError&) {
                // Already gone; nothing else can be done about it here.
            }
        }
    }
    TemporaryCopy(const TemporaryCopy&) = delete;
    TemporaryCopy& operator=(const TemporaryCopy&) = delete;

    OpenFile& file() { return *file_; }
    const std::string& name() const { return name_; }
    void placed() { placed_ = true; }

private:
    const FolderHandle& folder_;
    std::string name_;
    std::optional<OpenFile> file_;
    bool placed_ = false;
};

class Run {
public:
    Run(const OperationSettings& settings, const OperationRequest& request, Progress& progress,
        Trash* trash, OperationObserver* observer, const PathHashes& other_codes)
        : request_(request), progress_(progress), trash_(trash), observer_(observer),
          other_codes_(other_codes), main_text_(as_folder(settings.main_dir)),
          copy_text_(as_folder(settings.copy_move_path)) {
        if (root_length(main_text_) > 0) {
            main_ = FolderHandle::open(main_text_);
        }
    }

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
        const auto relative = relative_path(path);
        if (!relative) {
            skip(SkipReason::Outside, path);
            return;
        }
        const std::vector<std::string> parts = components(*relative);
        const std::string& name = parts.back();
        if (could_name_two(parts)) {
            skip(SkipReason::Ambiguous, path);
            return;
        }
        std::shared_ptr<FolderHandle> folder;
        switch (open_source_folder(parts, folder)) {
        case Reach::Outside:
            skip(SkipReason::Outside, path);
            return;
        case Reach::Missing:
            skip_if_unnamed(path, *relative);
            return;
        case Reach::Open:
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
        if (request_.operation == Operation::Delete) {
            remove_source(*folder, name, entry, path);
            return;
        }
        copy_source(folder, name, entry, path, join(parts, parts.size() - 1));
    }

    // Ends the run's last batches of a move: their copies made durable, then
    // their sources deleted.
    void finish() {
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
    enum class Reach { Open, Missing, Outside };

    void skip(SkipReason reason, std::string path, std::string detail = {}) {
        SkippedFile skipped{reason, std::move(path), std::move(detail)};
        if (observer_ != nullptr) {
            observer_->skipped(skipped);
        }
        summary_.skipped.push_back(std::move(skipped));
    }

    // A record whose file is not found by its text may still name it: the
    // analysis wrote "?" for each letter without a Windows-1250 form. Such a
    // file is there, and is counted as left alone rather than as handled.
    void skip_if_unnamed(const std::string& path, const std::string& relative) {
        if (relative.find('?') != std::string::npos &&
            names_entry_without_form(main_text_, relative)) {
            skip(SkipReason::NameWithoutForm, path);
        }
    }

    // Whether a name on the record's way holds "?" that a record also writes
    // for a double quote, CR, LF or a character without a Windows-1250 form,
    // while its folder holds more than one entry written so.
    bool could_name_two(const std::vector<std::string>& parts) {
        std::string folder = main_text_;
        for (const std::string& part : parts) {
            if (part.find('?') != std::string::npos) {
                // Names with "?" come together (a folder of Cyrillic names):
                // the last folder listed is kept.
                if (written_folder_ != folder) {
                    try {
                        written_counts_ = written_name_counts(folder);
                    } catch (const FileError&) {
                        // A folder on the way that cannot be listed is reached
                        // below, or not, as any other.
                        return false;
                    }
                    written_folder_ = folder;
                }
                const auto known = written_counts_.find(part);
                if (known != written_counts_.end() && known->second > 1) {
                    return true;
                }
            }
            folder += part;
            folder.push_back(kSeparator);
        }
        return false;
    }

    void acted(std::string_view source, std::string_view target, std::uintmax_t bytes) {
        ++summary_.files;
        summary_.bytes += bytes;
        if (observer_ != nullptr) {
            observer_->file(source, target, bytes);
        }
    }

    // The part of a record's path below the main directory. The record must
    // name the main directory as it is written, or in other letters only when
    // those letters lead to the same folder on the disk.
    std::optional<std::string> relative_path(const std::string& path) const {
        if (!main_) {
            return std::nullopt;
        }
        auto relative = path_below_main(path, main_text_);
        if (!relative || path.compare(0, main_text_.size(), main_text_) == 0) {
            return relative;
        }
        const auto named = FolderHandle::open(path.substr(0, main_text_.size()));
        if (!named || named->identity() != main_->identity()) {
            return std::nullopt;
        }
        return relative;
    }

    // Reaches the folder of a record from the opened main directory. The last
    // folder reached is kept: records come folder by folder.
    Reach open_source_folder(const std::vector<std::string>& parts,
                             std::shared_ptr<FolderHandle>& out) {
        const std::string key = join(parts, parts.size() - 1);
        if (source_folder_ && source_key_ == key) {
            out = source_folder_;
            return Reach::Open;
        }
        source_folder_.reset();
        const FolderHandle* at = &*main_;
        std::optional<FolderHandle> next;
        for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
            bool linked = false;
            auto opened = at->open_folder(parts[i], true, &linked);
            if (!opened) {
                return Reach::Missing;
            }
            if (linked && !opened->lies_within(*main_)) {
                return Reach::Outside;
            }
            next = std::move(opened);
            at = &*next;
        }
        if (!next) {
            next = FolderHandle::open(main_text_);
            if (!next || next->identity() != main_->identity()) {
                return Reach::Missing;
            }
        }
        source_folder_ = std::make_shared<FolderHandle>(std::move(*next));
        source_key_ = key;
        out = source_folder_;
        return Reach::Open;
    }

    void remove_source(const FolderHandle& folder, const std::string& name,
                       const EntryStatus& entry, const std::string& path) {
        const std::uintmax_t bytes = entry.kind == EntryKind::File ? entry.size : 0;
        if (request_.dry_run) {
            acted(path, {}, bytes);
            return;
        }
        if (request_.delete_mode == DeleteMode::Permanent) {
            folder.remove(name);
            acted(path, {}, bytes);
            return;
        }
        // The trash takes a path: the folder's real place, free of links, and
        // checked to still hold this very entry.
        const auto real = folder.real_path();
        const std::filesystem::path file = real ? *real / to_native(name) : std::filesystem::path();
        if (!real || entry_status(file).identity != entry.identity) {
            skip(SkipReason::Changed, path);
            return;
        }
        const TrashOutcome outcome = trash_ != nullptr
                                         ? trash_->move_to_trash(file)
                                         : TrashOutcome{false, {}, text(Text::ReasonNoTrash)};
        if (!outcome.moved) {
            skip(SkipReason::NotTrashed, path, outcome.reason);
            return;
        }
        // The Recycle Bin does not say where a file went; a trash that does is checked.
        if (!outcome.place.empty() && entry_status(outcome.place).identity != entry.identity) {
            skip(SkipReason::NotTrashed, path, text(Text::ReasonOtherFileTrashed));
            return;
        }
        acted(path, {}, bytes);
    }

    // Opens the source for reading: the file itself, or the file a link leads
    // to when it lies inside the main directory.
    std::optional<OpenFile> open_source(const FolderHandle& folder, const std::string& name,
                                        const EntryStatus& entry) const {
        if (entry.kind == EntryKind::Link) {
            return folder.open_link_target(name, *main_);
        }
        auto file = folder.open_file(name);
        if (file && file->identity() != entry.identity) {
            file.reset();
        }
        return file;
    }

    // Opens (creating when missing, not in a dry run) the target folder below
    // the copy path. A linked level is followed only when it stays inside the
    // copy path. Nothing with outside set, or nothing with missing set in a dry run.
    // The last folder opened is kept, as on the source side.
    std::shared_ptr<FolderHandle> open_target_folder(const std::vector<std::string>& parts,
                                                     bool& outside, bool& missing) {
        outside = false;
        missing = false;
        if (!copy_) {
            missing = true;
            return nullptr;
        }
        const std::string key = join(parts, parts.size() - 1);
        if (target_folder_ && target_key_ == key) {
            return target_folder_;
        }
        target_folder_.reset();
        std::optional<FolderHandle> at = FolderHandle::open(copy_text_);
        if (!at || at->identity() != copy_->identity()) {
            throw FileError(copy_text_, text(Text::ReasonCopyPathChanged));
        }
        for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
            bool linked = false;
            auto opened = at->open_folder(parts[i], true, &linked);
            if (!opened) {
                const EntryStatus status = at->status(parts[i]);
                if (status.kind != EntryKind::Missing) {
                    throw FileError(at->path() + parts[i], text(Text::ReasonNotFolder));
                }
                if (request_.dry_run) {
                    missing = true;
                    return nullptr;
                }
                at->create_folder(parts[i]);
                opened = at->open_folder(parts[i], false, &linked);
                if (!opened) {
                    throw FileError(at->path() + parts[i], text(Text::ReasonFolderUnopenable));
                }
            }
            if (linked && !opened->lies_within(*copy_)) {
                outside = true;
                return nullptr;
            }
            at = std::move(opened);
        }
        target_folder_ = std::make_shared<FolderHandle>(std::move(*at));
        target_key_ = key;
        // A copy/move path inside the main directory puts targets among the
        // simulator's own files, none of which is ever replaced.
        target_in_main_ = target_folder_->lies_within(*main_);
        return target_folder_;
    }

    // The copy/move path is prepared at the first file to copy; a first level
    // that does not exist stops the run.
    bool prepare_copy_path() {
        if (copy_) {
            return true;
        }
        if (request_.dry_run) {
            if (const std::size_t root = root_length(copy_text_); root > 0) {
                copy_ = FolderHandle::open(copy_text_);
                // A drive ("D:\") is the first level itself; below "/" the first folder is.
                const std::string first =
                    root > 1 ? copy_text_.substr(0, root)
                             : copy_text_.substr(0, copy_text_.find(kSeparator, 1) + 1);
                if (copy_ || folder_exists(first)) {
                    return true;
                }
            }
            summary_.stopped = true;
            return false;
        }
        if (!prepare_target_folder(copy_text_)) {
            summary_.stopped = true;
            return false;
        }
        copy_ = FolderHandle::open(copy_text_);
        if (!copy_) {
            throw FileError(copy_text_, text(Text::ReasonFolderUnopenable));
        }
        return true;
    }

    void copy_source(const std::shared_ptr<FolderHandle>& folder, const std::string& name,
                     const EntryStatus& entry, const std::string& path,
                     const std::string& relative_folder) {
        std::optional<OpenFile> source = open_source(*folder, name, entry);
        if (!source) {
            skip(entry.kind == EntryKind::Link ? SkipReason::LinkOutside : SkipReason::Changed,
                 path);
            return;
        }
        if (!prepare_copy_path()) {
            return;
        }
        const std::string target_text = copy_text_ + relative_folder + name;
        bool outside = false;
        bool missing = false;
        std::vector<std::string> parts = components(relative_folder + name);
        const std::shared_ptr<FolderHandle> target = open_target_folder(parts, outside, missing);
        if (outside) {
            skip(SkipReason::TargetOutside, path);
            return;
        }
        const FileIdentity source_id = source->identity();
        // In a dry run nothing is written: a collision is told by the text of
        // the target and by the file that already lies there.
        const EntryStatus there = target ? target->status(name) : EntryStatus{};
        const bool occupied = there.kind != EntryKind::Missing;
        if (occupied && (there.identity == source_id || target_in_main_)) {
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
        TemporaryCopy copy(*target);
        const std::uintmax_t bytes = copy_bytes(*source, copy.file());
        const FileIdentity copy_id = copy.file().identity();
        const bool moving = request_.operation == Operation::Move;
        if (moving && !FolderHandle::syncs_file_system()) {
            copy.file().sync(); // no sync of a whole batch here: each copy by itself
        }
        copy.file().close();
        // Looked at once more just before the rename: a file written earlier
        // in this run may have taken the name meanwhile.
        if (written_.count(target->status(name).identity) != 0) {
            skip(SkipReason::Collision, path);
            return;
        }
        // Only a file the person agreed to replace is replaced: one that came
        // to the target since it was looked at stays.
        if (!target->rename(copy.name(), *target, name, occupied && request_.overwrite)) {
            skip(SkipReason::TargetDiffers, path);
            return;
        }
        copy.placed();
        written_.insert(copy_id);
        if (target->status(name).identity != copy_id) {
            skip(SkipReason::Collision, path, text(Text::ReasonNameTaken));
            return;
        }
        if (moving) {
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
        std::vector<char> buffer(kCopyChunk);
        std::uintmax_t total = 0;
        for (;;) {
            // A cancel does not wait for a large file to finish.
            if (progress_.close_requested()) {
                throw OperationCancelled();
            }
            // By offset: the comparison with a file at the target may have read it.
            const std::size_t got = from.read_at(total, buffer.data(), buffer.size());
            if (got == 0) {
                return total;
            }
            to.write(buffer.data(), got);
            total += got;
        }
    }

    const OperationRequest& request_;
    Progress& progress_;
    Trash* trash_;
    OperationObserver* observer_;
    const PathHashes& other_codes_;
    std::string written_folder_;
    std::unordered_map<std::string, std::size_t> written_counts_;
    std::string main_text_;
    std::string copy_text_;
    std::optional<FolderHandle> main_;
    std::optional<FolderHandle> copy_;
    std::shared_ptr<FolderHandle> source_folder_;
    std::string source_key_;
    std::shared_ptr<FolderHandle> target_folder_;
    std::string target_key_;
    bool target_in_main_ = false;
    std::unordered_set<FileIdentity, FileIdentityHash> written_;
    std::set<std::string> planned_;
    std::unordered_set<FileIdentity, FileIdentityHash> sources_done_;
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

// Deletes the result file after a move or delete; one that is already gone is
// fine, and leaves its places as they are (bound to bytes that are gone).
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
    // The places of the result go with it.
    remove_provenance(result_path);
}

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
                                   Progress& progress, Trash* trash, OperationObserver* observer) {
    // A dry run reads and compares, it does not copy: its status says so.
    const std::string status =
        request.dry_run ? text(Text::PreviewReading) : operation_status(request.operation);
    progress.set_status(status);
    const bool records = has_records(result_path);
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
    run.emplace(settings, request, progress, trash, observer, other_codes);
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
        progress.set_status("");
        progress.set_detail("");
        summary = run->summary();
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
                                                     operation_done_text(request),
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
    if (request.operation != Operation::Delete) {
        facts.target_folder = as_folder(settings.copy_move_path);
    }
    return facts;
}

} // namespace ferwis
