#include "results/operation_journal.h"

#include "common/catalogue.h"
#include "common/errors.h"
#include "common/line_reader.h"
#include "common/native_path.h"
#include "common/platform.h"
#include "common/text_compare.h"
#include "format/file_beside.h"
#include "format/result_code.h"
#include "results/folder_walk.h"
#include "results/record_path.h"

#include <algorithm>
#include <charconv>
#include <ctime>
#include <system_error>

namespace fs = std::filesystem;

namespace ferwis {
namespace {

constexpr std::string_view kFirstLine = "ferwis-dziennik 1";
constexpr std::string_view kExtension = ".txt";
// An undo makes its files durable at the end, or each time it holds this many
// folders open.
constexpr std::size_t kHeldFolders = 256;

// The local time, for the journal's name and its dates.
std::string now_text(const char* format) {
    const std::time_t now = std::time(nullptr);
    char buffer[32] = {};
    if (const std::tm* local = std::localtime(&now)) {
        std::strftime(buffer, sizeof buffer, format, local);
    }
    return buffer;
}

std::string status_fields(const EntryStatus& status) {
    return std::to_string(status.size) + ' ' + std::to_string(status.modified) + ' ' +
           std::to_string(status.identity.device) + ' ' + std::to_string(status.identity.node);
}

// The four numbers of status_fields and the path after them; false when the
// line does not hold them.
bool parse_status(std::string_view fields, EntryStatus& status, std::string& path) {
    const char* at = fields.data();
    const char* end = fields.data() + fields.size();
    auto number = [&](auto& value) {
        const auto [next, ec] = std::from_chars(at, end, value);
        if (ec != std::errc() || (next != end && *next != ' ')) {
            return false;
        }
        at = next == end ? end : next + 1;
        return true;
    };
    if (!number(status.size) || !number(status.modified) || !number(status.identity.device) ||
        !number(status.identity.node)) {
        return false;
    }
    status.kind = EntryKind::File;
    path.assign(at, end);
    return true;
}

std::string_view operation_key(const OperationRequest& request) {
    if (request.operation == Operation::Move) {
        return "move";
    }
    return request.delete_mode == DeleteMode::Trash ? "trash" : "delete";
}

std::optional<Journal> read_journal(const fs::path& native, std::string id) {
    LineReader reader(native, from_native(native));
    std::string line;
    if (!reader.next(line) || line != kFirstLine) {
        return std::nullopt;
    }
    Journal journal;
    journal.id = std::move(id);
    while (reader.next(line)) {
        const std::size_t space = line.find(' ');
        const std::string_view key = std::string_view(line).substr(0, space);
        const std::string_view rest = space == std::string::npos
                                          ? std::string_view()
                                          : std::string_view(line).substr(space + 1);
        JournalFile* last = journal.files.empty() ? nullptr : &journal.files.back();
        if (key == "operation") {
            journal.operation = rest;
        } else if (key == "category") {
            journal.category = rest;
        } else if (key == "started") {
            journal.started = rest;
        } else if (key == "main") {
            journal.main = rest;
        } else if (key == "file") {
            JournalFile file;
            if (parse_status(rest, file.was, file.path)) {
                journal.files.push_back(std::move(file));
            }
        } else if ((key == "to" || key == "kept") && last != nullptr) {
            JournalFile there;
            if (!parse_status(rest, there.there, there.place)) {
                continue;
            }
            // A trash batch enters its files first: the one with this identity.
            const auto same =
                std::find_if(journal.files.rbegin(), journal.files.rend(), [&](auto& f) {
                    return f.state == JournalFile::State::Entered &&
                           f.was.identity == there.there.identity;
                });
            JournalFile& file = same != journal.files.rend() ? *same : *last;
            file.there = there.there;
            file.place = std::move(there.place);
            file.state = key == "to" ? JournalFile::State::Placed : JournalFile::State::Kept;
        } else if (key == "gone" && last != nullptr) {
            last->state = JournalFile::State::Gone;
        } else if (key == "end") {
            journal.ended = true;
        } else if (key == "undone") {
            journal.undone = true;
        }
    }
    return journal;
}

bool same_file(const EntryStatus& now, const EntryStatus& then) {
    return now.kind == EntryKind::File && now.identity == then.identity && now.size == then.size &&
           now.modified == then.modified;
}

// Copies the file name of from to a new file to_name of to, never over an
// entry there; false when one lies there. The copy is whole on the disk
// before it takes its name.
bool copy_back(const FolderHandle& from, const std::string& name, const FolderHandle& to,
               const std::string& to_name) {
    std::optional<OpenFile> source = from.open_file(name);
    if (!source) {
        throw FileError(from.path() + name, text(Text::ReasonDisappeared));
    }
    ReplacingFile copy(to, to_name, ".ferwis-kopia-");
    std::vector<char> buffer(std::size_t{1} << 18);
    for (std::uintmax_t at = 0;;) {
        const std::size_t got = source->read_at(at, buffer.data(), buffer.size());
        if (got == 0) {
            break;
        }
        copy.file().write(buffer.data(), got);
        at += got;
    }
    if (!FolderHandle::syncs_file_system()) {
        copy.file().sync(); // else the whole file system is synced once at the end
    }
    return copy.commit(false);
}

class Undo {
public:
    Undo(UndoSummary& summary, Trash* trash, const std::string& main)
        : summary_(summary), trash_(trash), source_(as_folder(main)), home_(as_folder(main)) {
        home_.prepare(true); // the main directory is never made
    }

    void move_back(const JournalFile& file) {
        Home home = reach_home(file, false);
        if (home.left) {
            return;
        }
        const EntryStatus now = home.folder ? home.folder->status(home.name) : EntryStatus{};
        const bool placed = file.state != JournalFile::State::Entered;
        if (placed && same_file(now, file.there)) {
            return; // put back before
        }
        auto target = placed ? FolderHandle::open(folder_part(file.place)) : std::nullopt;
        const std::string target_name(name_part(file.place));
        const bool ours = target && same_file(target->status(target_name), file.there);
        // Identity, size and time: a file made at the place since may have
        // been given the number of the one that left.
        if (same_file(now, file.was)) {
            // The run stopped before the file left: only its copy goes.
            if (file.state == JournalFile::State::Placed && ours) {
                target->remove(target_name);
            }
            return;
        }
        if (!placed) {
            left(file, Text::ReasonWhereaboutsUnknown);
            return;
        }
        if (now.kind != EntryKind::Missing) {
            left(file, Text::ReasonPlaceTaken);
            return;
        }
        if (!ours) {
            left(file, Text::ReasonPlacedChanged);
            return;
        }
        if (!home.folder && (home = reach_home(file, true)).left) {
            return;
        }
        // A target that held these bytes before the move stays as it was.
        const bool copy = file.state == JournalFile::State::Kept ||
                          target->identity().device != home.folder->identity().device;
        const bool back = copy ? copy_back(*target, target_name, *home.folder, home.name)
                               : target->rename(target_name, *home.folder, home.name, false);
        if (!back) {
            left(file, Text::ReasonPlaceTaken);
            return;
        }
        if (copy && file.state == JournalFile::State::Placed) {
            copied_.emplace_back(std::move(*target), target_name);
        }
        made_durable(home.folder);
        restored(file);
    }

    // Makes what came back durable, in one sync per file system where the
    // system has it, and only then removes the targets of the copies back.
    void finish() {
        for (const auto& folder : durable_) {
            if (FolderHandle::syncs_file_system()) {
                folder->sync_file_system();
            } else {
                folder->sync();
            }
        }
        for (const auto& [folder, name] : copied_) {
            folder.remove(name);
        }
        durable_.clear();
        copied_.clear();
    }

    void from_trash(const JournalFile& file) {
        Home home = reach_home(file, false);
        if (home.left) {
            return;
        }
        const EntryStatus now = home.folder ? home.folder->status(home.name) : EntryStatus{};
        if (now.kind != EntryKind::Missing) {
            if (!same_file(now, file.was)) {
                left(file, Text::ReasonPlaceTaken);
            }
            return; // put back before, or never taken
        }
        if (trash_ == nullptr) {
            left(file, Text::ReasonNoTrash);
            return;
        }
        fs::path place = to_native(file.place);
        if (file.place.empty()) {
            place = trash_->locate(to_native(file.path), file.was.identity);
        }
        if (!place.empty() && !same_file(entry_status(place), file.was)) {
            left(file, Text::ReasonPlacedChanged);
            return;
        }
        if (!home.folder && (home = reach_home(file, true)).left) {
            return;
        }
        // The trash takes a path: the home folder's real place, free of links.
        const auto real = home.folder->real_path();
        if (!real) {
            left(file, Text::ReasonFolderPlaceUnknown);
            return;
        }
        const RestoreOutcome outcome = trash_->restore(place, *real / to_native(home.name));
        if (outcome.by_hand) {
            summary_.by_hand.push_back(file.path);
        } else if (!outcome.restored) {
            summary_.left.emplace_back(file.path, outcome.reason);
        } else {
            made_durable(home.folder);
            restored(file);
        }
    }

private:
    // The folder a file came from and its name there; no folder while it is
    // missing, left when the file was left with its reason.
    struct Home {
        std::shared_ptr<FolderHandle> folder;
        std::string name;
        bool left = false;
    };

    // Reaches the folder of a journal path from the main directory as the
    // operations do, so that a folder link swapped in since leads nowhere
    // outside it; with make, missing folders are made again.
    Home reach_home(const JournalFile& file, bool make) {
        Home home;
        const auto relative = source_.relative_path(normalize_record_path(file.path));
        std::vector<std::string> parts =
            relative ? components(*relative) : std::vector<std::string>{};
        if (parts.empty() || parts.back().empty() || parts.back() == "..") {
            left(file, Text::SkipOutside);
            home.left = true;
            return home;
        }
        home.name = parts.back();
        bool outside = false;
        bool missing = false;
        try {
            home.folder = home_.open_folder(parts, !make, *source_.main(), outside, missing);
        } catch (const FileError& error) {
            summary_.left.emplace_back(file.path, error.reason());
            home.left = true;
            return home;
        }
        if (outside || (make && !home.folder)) {
            left(file, Text::SkipOutside);
            home.left = true;
        }
        return home;
    }

    void made_durable(const std::shared_ptr<FolderHandle>& folder) {
        const bool whole = FolderHandle::syncs_file_system();
        const FileIdentity id = folder->identity();
        if (std::none_of(durable_.begin(), durable_.end(), [&](const auto& known) {
                return whole ? known->identity().device == id.device : known->identity() == id;
            })) {
            durable_.push_back(folder);
        }
        // The folders held open stay well below a process's usual 1024.
        if (durable_.size() + copied_.size() >= kHeldFolders) {
            finish();
        }
    }

    void left(const JournalFile& file, Text reason) {
        summary_.left.emplace_back(file.path, text(reason));
    }

    void restored(const JournalFile& file) {
        ++summary_.restored;
        summary_.bytes += file.was.size;
    }

    UndoSummary& summary_;
    Trash* trash_;
    SourceFolders source_;
    TargetFolders home_; // from the main directory, made again where missing
    std::vector<std::shared_ptr<FolderHandle>> durable_; // one per file system, or per folder
    std::vector<std::pair<FolderHandle, std::string>> copied_;
};

UndoSummary undo_journal(std::string_view folder, std::string_view id, std::string_view result_path,
                         Trash* trash, Progress& progress);

} // namespace

JournalWriter::JournalWriter(std::string folder, const OperationRequest& request)
    : folder_(std::move(folder)) {
    header_ = std::string(kFirstLine) + "\r\noperation " + std::string(operation_key(request)) +
              "\r\ncategory " + std::string(code_text(request.code)) + "\r\n";
}

void JournalWriter::main_directory(std::string_view main) {
    header_ += "main " + std::string(main) + "\r\n";
}

void JournalWriter::line(const std::string& entry) {
    if (!file_) {
        std::error_code ec;
        fs::create_directories(to_native(folder_), ec);
        const auto folder = FolderHandle::open(folder_);
        if (!folder) {
            throw FileError(folder_, text(Text::ReasonFolderUnopenable));
        }
        // Named by its date, so that the names sort as the operations came.
        const std::string stamp = now_text("%Y%m%d-%H%M%S");
        for (int number = 1; !file_; ++number) {
            id_ = number == 1 ? stamp : stamp + "-" + std::to_string(number);
            file_ = folder->create_file(id_ + std::string(kExtension));
        }
        const std::string head = header_ + "started " + now_text("%Y-%m-%d %H:%M:%S") + "\r\n";
        file_->write(head.data(), head.size());
        file_->sync();
        folder->sync(); // the journal's name is on the disk with its first entry
    }
    const std::string whole = entry + "\r\n";
    file_->write(whole.data(), whole.size());
}

void JournalWriter::before(std::string_view path, const EntryStatus& file) {
    line("file " + status_fields(file) + ' ' + std::string(path));
}

void JournalWriter::placed(std::string_view place, const EntryStatus& there, bool kept) {
    line(std::string(kept ? "kept " : "to ") + status_fields(there) + ' ' + std::string(place));
}

void JournalWriter::gone() {
    line("gone");
}

void JournalWriter::sync() {
    if (file_) {
        file_->sync();
    }
}

void JournalWriter::end() {
    if (file_) {
        line("end");
        file_->sync();
    }
}

std::size_t Journal::moved_files() const {
    return static_cast<std::size_t>(std::count_if(files.begin(), files.end(), [](const auto& f) {
        return f.state != JournalFile::State::Entered;
    }));
}

std::uintmax_t Journal::moved_bytes() const {
    std::uintmax_t bytes = 0;
    for (const JournalFile& file : files) {
        bytes += file.state != JournalFile::State::Entered ? file.was.size : 0;
    }
    return bytes;
}

std::vector<Journal> read_journals(std::string_view folder) {
    std::vector<Journal> journals;
    std::error_code ec;
    for (fs::directory_iterator it(to_native(folder), ec), end; !ec && it != end;
         it.increment(ec)) {
        const fs::path& native = it->path();
        if (native.extension() != kExtension || !it->is_regular_file(ec)) {
            continue;
        }
        if (auto journal = read_journal(native, from_native(native.stem()))) {
            journals.push_back(std::move(*journal));
        }
    }
    std::sort(journals.begin(), journals.end(),
              [](const Journal& a, const Journal& b) { return a.id < b.id; });
    return journals;
}

UndoSummary undo_operation(std::string_view folder, std::string_view id,
                           std::string_view result_path, Trash* trash, Progress& progress) {
    try {
        return undo_journal(folder, id, result_path, trash, progress);
    } catch (const FileError& error) {
        progress.set_status("");
        progress.set_detail("");
        throw UndoFailure(error);
    }
}

namespace {

UndoSummary undo_journal(std::string_view folder, std::string_view id, std::string_view result_path,
                         Trash* trash, Progress& progress) {
    UndoSummary summary;
    const std::vector<Journal> journals = read_journals(folder);
    const auto chosen = std::find_if(journals.rbegin(), journals.rend(), [&](const Journal& j) {
        return id.empty() ? !j.undone : j.id == id;
    });
    if (chosen == journals.rend()) {
        return summary;
    }
    summary.id = chosen->id;
    if (chosen->operation == "delete") {
        summary.permanent = true;
        return summary;
    }
    progress.set_status(text(Text::Undoing));
    Undo undo(summary, trash, chosen->main);
    // The last file first: the order a person would take them back in.
    for (auto file = chosen->files.rbegin(); file != chosen->files.rend(); ++file) {
        progress.set_detail(to_lower(file->path));
        let_events_run(progress);
        if (chosen->operation == "move") {
            undo.move_back(*file);
        } else {
            undo.from_trash(*file);
        }
    }
    undo.finish();
    progress.set_status("");
    progress.set_detail("");
    if (summary.restored > 0) {
        delete_result_file(result_path);
        summary.result_file_deleted = true;
    }
    if (summary.complete()) {
        // Marked, so that the next undo takes the operation before.
        const std::string path = std::string(folder) + chosen->id + std::string(kExtension);
        if (std::FILE* out = platform::open_file(to_native(path), "ab")) {
            const std::string line = "undone " + now_text("%Y-%m-%d %H:%M:%S") + "\r\n";
            std::fwrite(line.data(), 1, line.size(), out);
            std::fclose(out);
        }
    }
    return summary;
}

} // namespace

} // namespace ferwis
