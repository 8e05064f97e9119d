#include "common/line_reader.h"

#include "common/errors.h"
#include "common/file_system.h"
#include "common/native_path.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace ferwis {

namespace {

constexpr std::size_t kBufferSize = 1 << 16;
constexpr std::size_t kSmallestBuffer = 1 << 12;

// The first CR or LF in [start, stop), or nullptr.
const char* find_line_end(const char* start, const char* stop) {
    const auto size = static_cast<std::size_t>(stop - start);
    // Two searches that stop at the line end cost less than a byte loop.
    const auto* lf = static_cast<const char*>(std::memchr(start, '\n', size));
    const std::size_t before = lf != nullptr ? static_cast<std::size_t>(lf - start) : size;
    const auto* cr = static_cast<const char*>(std::memchr(start, '\r', before));
    return cr != nullptr ? cr : lf;
}

} // namespace

LineReader::LineReader(std::string_view path) : LineReader(open_file_for_reading(path), path) {}

LineReader::LineReader(const std::filesystem::path& native, std::string_view path)
    : LineReader(OpenFile::open_for_reading(native, std::string(path)), path) {}

// The reader reads in blocks of its own: no stdio buffer copies the bytes once
// more. A small file gets a small block: thousands of them are read one after
// another, and large blocks freed between small lasting strings would leave
// the heap full of holes.
LineReader::LineReader(OpenFile file, std::string_view path)
    : file_(std::move(file)), path_(path),
      capacity_(static_cast<std::size_t>(
          std::clamp<std::uintmax_t>(file_.size_when_opened(), kSmallestBuffer, kBufferSize))),
      buffer_(new char[capacity_]) {}

bool LineReader::fill() {
    if (eof_) {
        return false;
    }
    end_ = file_.read(buffer_.get(), capacity_);
    pos_ = 0;
    eof_ = end_ == 0;
    return end_ > 0;
}

bool LineReader::next(std::string& line) {
    line.clear();
    bool any = false;
    while (true) {
        if (pos_ == end_ && !fill()) {
            line_number_ += any ? 1 : 0;
            return any;
        }
        any = true;
        const char* start = buffer_.get() + pos_;
        const char* stop = buffer_.get() + end_;
        const char* brk = find_line_end(start, stop);
        const auto piece = static_cast<std::size_t>((brk != nullptr ? brk : stop) - start);
        if (piece > kMaxLineLength - line.size()) {
            throw LineTooLong(path_);
        }
        line.append(start, piece);
        if (brk == nullptr) {
            pos_ = end_;
            continue;
        }
        pos_ = static_cast<std::size_t>(brk - buffer_.get()) + 1;
        // A LF right after the CR belongs to the line end, also across a refill.
        if (*brk == '\r') {
            if (pos_ == end_) {
                fill();
            }
            if (pos_ < end_ && buffer_[pos_] == '\n') {
                ++pos_;
            }
        }
        ++line_number_;
        return true;
    }
}

} // namespace ferwis
