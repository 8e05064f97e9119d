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
    const std::string bytes = file.contents();
    const std::string_view records = bytes;
    // Lines end as in every data file of the program: at a CR, with a LF
    // right after it belonging to the line end; a last line needs no end.
    std::size_t start = 0;
    std::size_t count = 0;
    while (start < records.size()) {
        std::size_t end = records.find('\r', start);
        if (end == std::string_view::npos) {
            end = records.size();
        }
        const ResultRecord record = parse_record(records.substr(start, end - start));
        add(record.path, record.code);
        ++count;
        start = end + 1;
        if (start < records.size() && records[start] == '\n') {
            ++start;
        }
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
