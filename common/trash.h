#pragma once
// The system trash (freedesktop trash on Linux, the Recycle Bin on Windows),
// so that a delete can be undone from the file manager. The core asks for it
// through this interface; the implementation lives in its own adapter target.

#include "common/folder_handle.h"

#include <filesystem>
#include <string>

namespace ferwis {

struct TrashOutcome {
    bool moved = false;
    std::filesystem::path place; // where the file went, when moved and the trash says
    std::string reason;          // why not, when not moved
};

struct RestoreOutcome {
    bool restored = false;
    bool by_hand = false; // this trash cannot put files back by program: a person must
    std::string reason;   // why not, when not restored
};

class Trash {
public:
    virtual ~Trash() = default;
    // Moves the file or link at path (native, absolute) to the trash. A file
    // that reached no trash folder counts as not moved.
    virtual TrashOutcome move_to_trash(const std::filesystem::path& path) = 0;
    // Where the trash holds the file identity that came from original (native,
    // absolute), for a delete stopped before it could note the place; empty
    // when it cannot be found.
    virtual std::filesystem::path locate(const std::filesystem::path& original,
                                         const FileIdentity& identity) = 0;
    // Puts the trashed file at place back at original, never over an entry
    // that lies there, and removes what the trash kept about it.
    virtual RestoreOutcome restore(const std::filesystem::path& place,
                                   const std::filesystem::path& original) = 0;
};

} // namespace ferwis
