#pragma once
// The Recycle Bin through the Windows shell, for a build without Qt.

#include "common/trash.h"

namespace ferwis {

class WindowsTrash : public Trash {
public:
    TrashOutcome move_to_trash(const std::filesystem::path& path) override;
};

} // namespace ferwis
