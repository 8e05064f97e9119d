#include "format/wav_dynamic_file.h"

#include "common/errors.h"
#include "format/file_beside.h"
#include "format/result_record.h"

namespace ferwis {

WavDynamicFile::~WavDynamicFile() {
    close();
}

void WavDynamicFile::close() {
    file_.reset(); // nothing is buffered: every record was written already
}

void WavDynamicFile::create() {
    close();
    folder_ = open_folder_of(path_, name_);
    if (folder_->status(name_).kind != EntryKind::Missing) {
        folder_->remove(name_);
    }
    file_ = folder_->create_file(name_);
    if (!file_) {
        throw FileError(path_, "another file took its name");
    }
    written_ = false;
}

void WavDynamicFile::append(std::string_view file_path, ResultCode code) {
    if (!file_) {
        throw FileError(path_, "not created");
    }
    std::string record;
    append_record(record, file_path, code_text(code));
    file_->write(record.data(), record.size());
    written_ = true;
}

std::string WavDynamicFile::contents() const {
    std::optional<OpenFile> reading;
    if (file_ && folder_) {
        reading = folder_->open_file(name_);
    }
    if (!reading || reading->identity() != file_->identity()) {
        throw FileError(path_, "the file was replaced during the run");
    }
    std::string bytes;
    char buffer[1 << 16];
    for (std::size_t got; (got = reading->read(buffer, sizeof buffer)) > 0;) {
        bytes.append(buffer, got);
    }
    return bytes;
}

void WavDynamicFile::remove() {
    close();
    if (folder_) {
        try {
            folder_->remove(name_);
        } catch (const FileError&) {
            // Gone already.
        }
    }
}

} // namespace ferwis
