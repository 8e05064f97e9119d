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

// The bytes are the one block, and the end of the file follows them.
LineReader::LineReader(std::unique_ptr<char[]> bytes, std::size_t size, std::string_view path)
    : path_(path), capacity_(size), buffer_(std::move(bytes)), end_(size), eof_(true) {}

bool LineReader::fill() {
    if (eof_) {
        return false;
    }
    end_ = file_.read(buffer_.get(), capacity_);
    pos_ = 0;
    lf_at_ = 0;
    cr_at_ = 0;
    scanned_ = false;
    eof_ = end_ == 0;
    return end_ > 0;
}

// Each search goes on from where the last one ended and remembers what it
// found, so every byte of a block is searched once for each of the two ends:
// searching the rest of the block for a LF on every line would make a file of
// short CR-ended lines cost the square of its block.
std::size_t LineReader::line_end() {
    // A remembered end still holds while the line begins at or before it.
    if (!scanned_ || cr_at_ < pos_) {
        if (!scanned_ || lf_at_ < pos_) {
            const auto* lf =
                static_cast<const char*>(std::memchr(buffer_.get() + pos_, '\n', end_ - pos_));
            lf_at_ = lf != nullptr ? static_cast<std::size_t>(lf - buffer_.get()) : end_;
            scanned_ = true;
        }
        const auto* cr =
            static_cast<const char*>(std::memchr(buffer_.get() + pos_, '\r', lf_at_ - pos_));
        cr_at_ = cr != nullptr ? static_cast<std::size_t>(cr - buffer_.get()) : lf_at_;
    }
    return cr_at_;
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
        const std::size_t at = line_end();
        const char* brk = at < end_ ? buffer_.get() + at : nullptr;
        const auto piece = at - pos_;
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
