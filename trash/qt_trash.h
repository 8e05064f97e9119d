#pragma once
// The system trash through Qt Core, which knows each platform's convention
// (freedesktop trash, Recycle Bin). It needs no display.

#include "common/trash.h"

namespace ferwis {

class QtTrash : public Trash {
public:
    TrashOutcome move_to_trash(const std::filesystem::path& path) override;
};

} // namespace ferwis
