#pragma once
// The stamps of the files a run read, each as it stood when it was opened:
// told by the open handle, so that the record of what the result was made
// from names the bytes read and costs the run no status call by path.

#include "common/platform.h"
#include "format/file_state.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace ferwis {

// The stamp of an opened file as the record keeps it.
inline FileStamp stamp_of(const platform::RegularFileStamp& opened) {
    return FileStamp{opened.size, opened.modified};
}

class OpenedStamps {
public:
    // The file of source was opened with this stamp. Not kept for a file
    // opened by its native path: the record names files by their text, which
    // does not name that one, so a stamp of it could never be checked.
    void note(std::uint32_t source, const platform::RegularFileStamp& opened,
              const std::filesystem::path* native) {
        if (native == nullptr) {
            note(source, stamp_of(opened));
        }
    }
    void note(std::uint32_t source, const FileStamp& stamp) {
        if (source >= stamps_.size()) {
            stamps_.resize(source + std::size_t{1});
        }
        stamps_[source] = stamp;
    }

    // The stamp noted for source, if any.
    std::optional<FileStamp> of(std::uint32_t source) const {
        return source < stamps_.size() ? stamps_[source] : std::nullopt;
    }

private:
    std::vector<std::optional<FileStamp>> stamps_; // by source number
};

} // namespace ferwis
