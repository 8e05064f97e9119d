#pragma once
// The freedesktop trash through GLib's GIO, the desktop's own implementation:
// the home trash for files on its file system, the trash at the top of another
// file system for files there, with .trashinfo files the file managers read
// back. It needs no display.

#include "common/trash.h"

namespace ferwis {

class GioTrash : public Trash {
public:
    TrashOutcome move_to_trash(const std::filesystem::path& path) override;
    std::filesystem::path locate(const std::filesystem::path& original,
                                 const FileIdentity& identity) override;
    RestoreOutcome restore(const std::filesystem::path& place,
                           const std::filesystem::path& original) override;
};

} // namespace ferwis
