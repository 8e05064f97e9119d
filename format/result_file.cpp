#include "format/result_file.h"

#include "common/errors.h"
#include "common/line_reader.h"
#include "common/native_path.h"
#include "common/platform.h"
#include "format/result_record.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace ferwis {
namespace {

constexpr std::size_t kFlushSize = 1 << 16;

} // namespace

ResultFileWriter::ResultFileWriter(std::string result_path)
    : result_path_(std::move(result_path)), temp_path_(result_path_ + ".tmp") {
    file_ = platform::open_file(to_native(temp_path_), "wb");
    if (file_ == nullptr) {
        throw FileError(temp_path_, std::strerror(errno));
    }
}

ResultFileWriter::~ResultFileWriter() {
    if (!committed_) {
        discard();
    }
}

void ResultFileWriter::discard() {
    if (file_ != nullptr) {
        std::fclose(file_);
        file_ = nullptr;
    }
    std::error_code ec;
    std::filesystem::remove(to_native(temp_path_), ec);
}

void ResultFileWriter::write(std::string_view bytes) {
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) {
        throw FileError(temp_path_, std::strerror(errno));
    }
}

void ResultFileWriter::add(std::string_view path, std::string_view code) {
    append_record(buffer_, path, code);
    if (buffer_.size() >= kFlushSize) {
        write(buffer_);
        buffer_.clear();
    }
}

void ResultFileWriter::add_records_of(const std::string& records_path) {
    LineReader reader(records_path);
    std::string line;
    while (reader.next(line)) {
        const ResultRecord record = parse_record(line);
        add(record.path, record.code);
    }
}

void ResultFileWriter::commit() {
    write(buffer_);
    buffer_.clear();
    // A full disk may show only when the last bytes are flushed at the close.
    const int closed = std::fclose(file_);
    file_ = nullptr;
    if (closed != 0) {
        throw FileError(temp_path_, std::strerror(errno));
    }
    std::error_code ec;
    std::filesystem::rename(to_native(temp_path_), to_native(result_path_), ec);
    if (ec) {
        throw FileError(result_path_, ec.message());
    }
    committed_ = true;
}

} // namespace ferwis
