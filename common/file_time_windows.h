#pragma once
// The stamp of a Windows file's information: its length and its last write
// time in the system's ticks of 100 ns, alike whether it was asked by the
// file's path or of a handle it was opened by.

#include "common/platform.h"

#include <cstdint>
#include <windows.h>

namespace ferwis::platform {

inline RegularFileStamp regular_file_stamp_of(const BY_HANDLE_FILE_INFORMATION& info) {
    return RegularFileStamp{
        (static_cast<std::uintmax_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow,
        static_cast<std::int64_t>(
            (static_cast<std::uint64_t>(info.ftLastWriteTime.dwHighDateTime) << 32) |
            info.ftLastWriteTime.dwLowDateTime)};
}

} // namespace ferwis::platform
