#include "format/result_file.h"

#include "common/errors.h"
#include "common/line_reader.h"
#include "common/native_path.h"
#include "format/result_record.h"

namespace ferwis {
namespace {

constexpr std::size_t kFlushSize = 1 << 16;

} // namespace

ResultFileWriter::ResultFileWriter(std::string result_path) : result_path_(std::move(result_path)) {
    const std::size_t slash = result_path_.rfind(kSeparator);
    const std::string folder = result_path_.substr(0, slash + 1);
    name_ = result_path_.substr(slash + 1);
    folder_ = FolderHandle::open(folder.empty() ? "./" : folder);
    if (!folder_) {
        throw FileError(folder, "the folder cannot be opened");
    }
    for (int i = 0; !file_; ++i) {
        temp_name_ = name_ + "." + std::to_string(i) + ".tmp";
        file_ = folder_->create_file(temp_name_);
    }
}

ResultFileWriter::~ResultFileWriter() {
    if (!committed_) {
        discard();
    }
}

void ResultFileWriter::discard() {
    file_.reset();
    try {
        folder_->remove(temp_name_);
    } catch (const FileError&) {
        // Gone already.
    }
}

void ResultFileWriter::write(std::string_view bytes) {
    file_->write(bytes.data(), bytes.size());
}

void ResultFileWriter::add(std::string_view path, std::string_view code) {
    append_record(buffer_, path, code);
    if (buffer_.size() >= kFlushSize) {
        write(buffer_);
        buffer_.clear();
    }
}

void ResultFileWriter::add_records_of(const WavDynamicFile& file) {
    const std::string bytes = file.contents();
    const std::string_view records = bytes;
    // Lines end as in every data file of the program: at a CR, with a LF
    // right after it belonging to the line end; a last line needs no end.
    std::size_t start = 0;
    while (start < records.size()) {
        std::size_t end = records.find('\r', start);
        if (end == std::string_view::npos) {
            end = records.size();
        }
        const ResultRecord record = parse_record(records.substr(start, end - start));
        add(record.path, record.code);
        start = end + 1;
        if (start < records.size() && records[start] == '\n') {
            ++start;
        }
    }
}

void ResultFileWriter::commit() {
    write(buffer_);
    buffer_.clear();
    // A full disk may show only when the last bytes reach the disk at the close.
    file_->close();
    folder_->rename(temp_name_, *folder_, name_);
    committed_ = true;
}

} // namespace ferwis
