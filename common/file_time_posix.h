#pragma once
// The stamp of a POSIX status: a file's length and its last write time in the
// ticks of std::filesystem::last_write_time, alike whether the status came by
// the file's path or from a handle it was opened by.

#include "common/platform.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <sys/stat.h>

namespace ferwis::platform {

inline RegularFileStamp regular_file_stamp_of(const struct stat& st) {
    using namespace std::chrono;
    const sys_time<nanoseconds> written(seconds(st.st_mtim.tv_sec) +
                                        nanoseconds(st.st_mtim.tv_nsec));
    return RegularFileStamp{
        static_cast<std::uintmax_t>(st.st_size),
        static_cast<std::int64_t>(
            std::filesystem::file_time_type::clock::from_sys(written).time_since_epoch().count())};
}

} // namespace ferwis::platform
