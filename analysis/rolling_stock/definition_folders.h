#pragma once
// The part of the rolling-stock check that needs no inventory: the folders
// below dynamic/ walked once, with the lengths of their files, and every
// definition file in them read, its sound references matched against the
// files beside it. Done beside the listing of the content folders; the check
// then takes the findings in order.

#include "analysis/inventory/walk_folder_tree.h"
#include "common/file_system.h"
#include "common/folder_handle.h"
#include "format/file_state.h"

#include <cstddef>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ferwis {

// The sound references of definition files, in the order of their lines and
// files. Thousands are read before the first is reported, so their texts are
// kept in one block rather than one string each.
class SoundReferences {
public:
    struct Reference {
        std::uint32_t line = 0;
        // Beside the definition file: the sound's path below the definition
        // file's folder as it is on disk. Otherwise the reference as written,
        // to be looked for under sounds/.
        std::string_view text;
        bool beside = false;
        std::uintmax_t size = 0; // the length of the sound beside
    };

    // Throws std::length_error past 4 GiB of text.
    void add(std::uint32_t line, std::string_view text, bool beside, std::uintmax_t size);
    std::size_t count() const { return stored_.size(); }
    // Gives back the room made for references to come, once all are in: they
    // are kept until the check reads them, at the fullest point of a run.
    void trim() {
        stored_.shrink_to_fit();
        beside_.shrink_to_fit();
        texts_.shrink_to_fit();
    }
    // Valid until the next add().
    Reference operator[](std::size_t i) const;

private:
    struct Stored {
        std::uintmax_t size;
        std::uint32_t line;
        std::uint32_t text_end; // in texts_; the text begins where the one before ends
    };
    std::vector<Stored> stored_;
    std::vector<bool> beside_;
    std::string texts_;
};

// What one definition file names.
struct DefinitionFindings {
    std::size_t file = 0; // its position among the definition files found
    // Its references: those from references_begin to references_end.
    std::size_t references_begin = 0;
    std::size_t references_end = 0;
    // What ended the reading before the end of the file (never a line too long,
    // which only ends it); thrown when the check reaches this file.
    std::exception_ptr failure;
    // The file as it stood when it was opened (none when opened by its native path).
    std::optional<FileStamp> stamp;
};

struct DefinitionFolders {
    bool found = false; // the main directory has a dynamic folder
    // Every definition file below it, breadth-first, each folder's in name order.
    std::vector<std::string> files;
    // Of each of them of at least 4 bytes, in that order, until the first
    // failure to read one.
    std::vector<DefinitionFindings> definitions;
    SoundReferences references; // of all of them
    std::exception_ptr failure; // of the walk, reported when the check begins
    PassedOver passed_over;     // by the walk
};

// Walks the dynamic folder root (ending with "/") and reads its definition
// files, following links only to folders inside within (as walk_folder_tree).
// A failure is kept, not thrown.
DefinitionFolders read_definition_folders(const std::string& root,
                                          const std::filesystem::path* within = nullptr);

// Reads one definition file (full path; opened by its native path, as the walk
// found it, when given) and looks each sound reference of its lines that are
// not comments up beside it, adding them to references. Never throws: a
// failure is kept in the findings.
// opened: the file opened for it before, or null to open it here.
DefinitionFindings read_definition_file(const std::string& path,
                                        const std::filesystem::path* native,
                                        FolderNameCache* folders, SoundReferences& references,
                                        OpenFile* opened = nullptr);

} // namespace ferwis
