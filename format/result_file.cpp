#include "format/result_file.h"

#include "common/errors.h"
#include "common/line_reader.h"
#include "format/file_beside.h"
#include "format/result_record.h"

namespace ferwis {
namespace {

constexpr std::size_t kFlushSize = 1 << 16;

} // namespace

ResultFileWriter::ResultFileWriter(std::string_view result_path) : file_(result_path) {}

void ResultFileWriter::write(std::string_view bytes) {
    digest_.add(bytes);
    file_.write(bytes);
}

void ResultFileWriter::add(std::string_view path, std::string_view code) {
    append_record(buffer_, path, code);
    if (buffer_.size() >= kFlushSize) {
        write(buffer_);
        buffer_.clear();
    }
}

std::size_t ResultFileWriter::add_records_of(const WavDynamicFile& file) {
    // Lines end as in every data file of the program: at a CR, with a LF
    // right after it belonging to the line end; a last line needs no end. The
    // file comes in pieces, so a line may span two of them.
    std::string started; // the part of a line that the pieces so far began
    bool after_cr = false;
    std::size_t count = 0;
    const auto add_line = [&](std::string_view line) {
        const ResultRecord record = parse_record(line);
        add(record.path, record.code);
        ++count;
    };
    file.read([&](std::string_view piece) {
        if (piece.empty()) {
            return;
        }
        if (after_cr && piece.front() == '\n') {
            piece.remove_prefix(1);
        }
        after_cr = false;
        std::size_t start = 0;
        while (start < piece.size()) {
            const std::size_t end = piece.find('\r', start);
            if (end == std::string_view::npos) {
                started.append(piece.substr(start));
                break;
            }
            if (started.empty()) {
                add_line(piece.substr(start, end - start));
            } else {
                started.append(piece.substr(start, end - start));
                add_line(started);
                started.clear();
            }
            start = end + 1;
            if (start == piece.size()) {
                after_cr = true;
            } else if (piece[start] == '\n') {
                ++start;
            }
        }
    });
    if (!started.empty()) {
        add_line(started);
    }
    return count;
}

const ResultDigest& ResultFileWriter::finish() {
    if (!finished_) {
        write(buffer_);
        buffer_.clear();
        file_.close();
        finished_ = true;
    }
    return digest_;
}

void ResultFileWriter::commit() {
    finish();
    file_.commit();
}

} // namespace ferwis
