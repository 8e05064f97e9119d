#include "common/line_reader.h"

#include "common/errors.h"
#include "common/native_path.h"
#include "common/platform.h"

#include <cerrno>
#include <cstring>

namespace ferwis {

namespace {
constexpr std::size_t kBufferSize = 1 << 16;
}

LineReader::LineReader(std::string_view path, LineEnds ends)
    : ends_(ends), path_(path), buffer_(kBufferSize) {
    file_ = platform::open_file(to_native(path), "rb");
    if (file_ == nullptr) {
        throw FileError(path_, std::strerror(errno));
    }
}

LineReader::~LineReader() {
    if (file_ != nullptr) {
        std::fclose(file_);
    }
}

bool LineReader::fill() {
    if (eof_) {
        return false;
    }
    end_ = std::fread(buffer_.data(), 1, buffer_.size(), file_);
    pos_ = 0;
    if (end_ < buffer_.size()) {
        if (std::ferror(file_) != 0) {
            throw FileError(path_, "read error");
        }
        eof_ = true;
    }
    return end_ > 0;
}

const char* LineReader::find_line_end(const char* start, const char* stop) const {
    const auto size = static_cast<std::size_t>(stop - start);
    if (ends_ == LineEnds::Cr) {
        return static_cast<const char*>(std::memchr(start, '\r', size));
    }
    for (const char* p = start; p != stop; ++p) {
        if (*p == '\r' || *p == '\n') {
            return p;
        }
    }
    return nullptr;
}

bool LineReader::next(std::string& line) {
    line.clear();
    bool any = false;
    while (true) {
        if (pos_ == end_ && !fill()) {
            return any;
        }
        any = true;
        const char* start = buffer_.data() + pos_;
        const char* brk = find_line_end(start, buffer_.data() + end_);
        if (brk == nullptr) {
            line.append(start, end_ - pos_);
            pos_ = end_;
            continue;
        }
        line.append(start, static_cast<std::size_t>(brk - start));
        pos_ = static_cast<std::size_t>(brk - buffer_.data()) + 1;
        // A LF right after the CR belongs to the line end, also across a refill.
        if (*brk == '\r') {
            if (pos_ == end_) {
                fill();
            }
            if (pos_ < end_ && buffer_[pos_] == '\n') {
                ++pos_;
            }
        }
        return true;
    }
}

} // namespace ferwis
