#pragma once
// The system trash (freedesktop trash on Linux, the Recycle Bin on Windows),
// so that a delete can be undone from the file manager. The core asks for it
// through this interface; the implementation lives in its own adapter target.

#include <filesystem>
#include <string>

namespace ferwis {

struct TrashOutcome {
    bool moved = false;
    std::filesystem::path place; // where the file went, when moved and the trash says
    std::string reason;          // why not, when not moved
};

class Trash {
public:
    virtual ~Trash() = default;
    // Moves the file or link at path (native, absolute) to the trash. A file
    // that reached no trash folder counts as not moved.
    virtual TrashOutcome move_to_trash(const std::filesystem::path& path) = 0;
};

} // namespace ferwis
