#pragma once
// The Recycle Bin through the Windows shell, for a build without Qt.

#include "common/trash.h"

namespace ferwis {

class WindowsTrash : public Trash {
public:
    TrashOutcome move_to_trash(const std::filesystem::path& path) override;
    // The Recycle Bin is read through the shell only; this build does not
    // look into it, so its files go back by hand, from the Recycle Bin's
    // "Przywróć".
    std::filesystem::path locate(const std::filesystem::path&, const FileIdentity&) override {
        return {};
    }
    RestoreOutcome restore(const std::filesystem::path&, const std::filesystem::path&) override {
        return {false, true, {}};
    }
};

} // namespace ferwis
