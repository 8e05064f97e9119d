#include "format/wav_dynamic_file.h"

#include "common/errors.h"
#include "common/file_system.h"
#include "format/file_beside.h"
#include "format/result_record.h"

#include <utility>

namespace ferwis {

WavDynamicFile::~WavDynamicFile() {
    // A run that failed leaves what it found on disk.
    try {
        flush();
    } catch (const FileError&) {
        // The run is over; there is nobody left to tell.
    }
    close();
}

void WavDynamicFile::close() {
    pending_.clear();
    file_.reset();
}

void WavDynamicFile::create() {
    close();
    folder_ = open_folder_of(path_, name_);
    if (folder_->status(name_).kind != EntryKind::Missing) {
        folder_->remove(name_);
    }
    file_ = folder_->create_file(name_);
    if (!file_) {
        throw FileError(path_, text(Text::ReasonNameTaken));
    }
    written_ = false;
}

void WavDynamicFile::append(std::string_view file_path, ResultCode code) {
    if (!file_) {
        throw FileError(path_, text(Text::ReasonNotCreated));
    }
    append_record(pending_, file_path, code_text(code));
    written_ = true;
}

void WavDynamicFile::flush() {
    if (file_ && !pending_.empty()) {
        // Cleared first: a failed write is reported once, not again when the
        // object goes.
        const std::string bytes = std::exchange(pending_, std::string());
        file_->write(bytes.data(), bytes.size());
    }
}

void WavDynamicFile::read(const std::function<void(std::string_view)>& take) const {
    std::optional<OpenFile> reading;
    if (file_ && folder_) {
        reading = folder_->open_file(name_);
    }
    if (!reading || reading->identity() != file_->identity()) {
        throw FileError(path_, text(Text::ReasonReplaced));
    }
    read_to_end(*reading, take);
    take(pending_);
}

void WavDynamicFile::remove() {
    close();
    if (folder_) {
        try {
            folder_->remove(name_);
        } catch (const FileError&) {
            // Only a file already gone is fine; a refusal is the caller's to say.
            if (folder_->status(name_).kind != EntryKind::Missing) {
                throw;
            }
        }
    }
}

} // namespace ferwis
