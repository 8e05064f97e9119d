#include "results/folder_walk.h"

#include "common/catalogue.h"
#include "common/errors.h"
#include "common/file_system.h"
#include "common/native_path.h"
#include "results/record_path.h"
#include "results/target_folder.h"

#include <utility>

namespace ferwis {

std::string as_folder(std::string_view path) {
    std::string folder = normalize_record_path(path);
    if (!folder.empty()) {
        ensure_final_separator(folder);
    }
    return folder;
}

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

SourceFolders::SourceFolders(std::string main_text) : main_text_(std::move(main_text)) {
    if (root_length(main_text_) > 0) {
        main_ = FolderHandle::open(main_text_);
    }
}

std::optional<std::string> SourceFolders::relative_path(const std::string& path) const {
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

bool SourceFolders::could_name_two(const std::vector<std::string>& parts) {
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

SourceFolders::Reach SourceFolders::open_folder(const std::vector<std::string>& parts,
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

std::optional<OpenFile> SourceFolders::open_source(const FolderHandle& folder,
                                                   const std::string& name,
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

TargetFolders::TargetFolders(std::string copy_text) : copy_text_(std::move(copy_text)) {}

bool TargetFolders::prepare(bool dry_run) {
    if (copy_) {
        return true;
    }
    if (dry_run) {
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
        return false;
    }
    if (!prepare_target_folder(copy_text_)) {
        return false;
    }
    copy_ = FolderHandle::open(copy_text_);
    if (!copy_) {
        throw FileError(copy_text_, text(Text::ReasonFolderUnopenable));
    }
    return true;
}

std::shared_ptr<FolderHandle> TargetFolders::open_folder(const std::vector<std::string>& parts,
                                                         bool dry_run, const FolderHandle& main,
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
                throw FileError(at->path() + parts[i], text(status.kind == EntryKind::Unreachable
                                                                ? Text::ReasonFolderUnopenable
                                                                : Text::ReasonNotFolder));
            }
            if (dry_run) {
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
    target_in_main_ = target_folder_->lies_within(main);
    return target_folder_;
}

} // namespace ferwis
