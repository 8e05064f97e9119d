#pragma once
// Walking the folders of a file operation safely: from the opened main
// directory to the folder of a record, and from the opened copy/move path to
// the folder of its target, following a folder link only where it stays inside.

#include "common/file_system.h"
#include "common/folder_handle.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace ferwis {

// A record's path as the text of a folder: normalized, ending with a separator
// (empty stays empty).
std::string as_folder(std::string_view path);

// Splits a relative path at its separators.
std::vector<std::string> components(std::string_view relative);

// The first count parts, each followed by a separator.
std::string join(const std::vector<std::string>& parts, std::size_t count);

// The main directory's side: the folders that hold the files the records name.
class SourceFolders {
public:
    enum class Reach { Open, Missing, Outside };

    // Opens the main directory (main_text ends with a separator); one that
    // cannot be opened leaves every record outside.
    explicit SourceFolders(std::string main_text);

    const std::string& main_text() const { return main_text_; }
    const std::optional<FolderHandle>& main() const { return main_; }

    // The part of a record's path below the main directory. The record must
    // name the main directory as it is written, or in other letters only when
    // those letters lead to the same folder on the disk.
    std::optional<std::string> relative_path(const std::string& path) const;

    // Whether a name on the record's way holds "?" that a record also writes
    // for a double quote, CR, LF or a character without a Windows-1250 form,
    // while its folder holds more than one entry written so.
    bool could_name_two(const std::vector<std::string>& parts);

    // Reaches the folder of a record (its parts below the main directory) from
    // the opened main directory. The last folder reached is kept: records
    // come folder by folder.
    Reach open_folder(const std::vector<std::string>& parts, std::shared_ptr<FolderHandle>& out);

    // Opens the source for reading: the file itself, or the file a link leads
    // to when it lies inside the main directory.
    std::optional<OpenFile> open_source(const FolderHandle& folder, const std::string& name,
                                        const EntryStatus& entry) const;

private:
    std::string main_text_;
    std::optional<FolderHandle> main_;
    std::shared_ptr<FolderHandle> source_folder_;
    std::string source_key_;
    std::string written_folder_;
    std::unordered_map<std::string, std::size_t> written_counts_;
};

// The copy/move path's side: the folders the copies go to.
class TargetFolders {
public:
    explicit TargetFolders(std::string copy_text);

    const std::string& copy_text() const { return copy_text_; }
    // Whether the last target folder opened lies inside the main directory.
    bool in_main() const { return target_in_main_; }

    // Prepares the copy/move path (created when missing, not in a dry run).
    // False when it cannot be had: in a dry run when its first level does not
    // exist, else when the folder cannot be prepared.
    bool prepare(bool dry_run);

    // Opens (creating when missing, not in a dry run) the target folder below
    // the copy path for the parts of a record below the main directory. A
    // linked level is followed only when it stays inside the copy path.
    // Nothing with outside set, or nothing with missing set in a dry run. The
    // last folder opened is kept, as on the source side.
    std::shared_ptr<FolderHandle> open_folder(const std::vector<std::string>& parts, bool dry_run,
                                              const FolderHandle& main, bool& outside,
                                              bool& missing);

private:
    std::string copy_text_;
    std::optional<FolderHandle> copy_;
    std::shared_ptr<FolderHandle> target_folder_;
    std::string target_key_;
    bool target_in_main_ = false;
};

} // namespace ferwis
