#include "format/wav_dynamic_file.h"

#include "common/errors.h"
#include "common/native_path.h"
#include "common/platform.h"
#include "format/result_record.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace ferwis {
namespace {

void write_file(const std::string& path, const char* mode, std::string_view bytes) {
    std::FILE* file = platform::open_file(to_native(path), mode);
    if (file == nullptr) {
        throw FileError(path, std::strerror(errno));
    }
    const bool written =
        bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const int saved = errno;
    if (std::fclose(file) != 0 || !written) {
        throw FileError(path, std::strerror(written ? errno : saved));
    }
}

} // namespace

WavDynamicFile::~WavDynamicFile() {
    close();
}

void WavDynamicFile::close() {
    if (file_ != nullptr) {
        std::fclose(file_); // nothing is buffered: every record was written already
        file_ = nullptr;
    }
}

void WavDynamicFile::create() {
    close();
    write_file(path_, "wb", {});
    written_ = false;
}

void WavDynamicFile::append(std::string_view file_path, ResultCode code) {
    std::string record;
    append_record(record, file_path, code_text(code));
    // Opening and closing the file for every record cost more than reading
    // the definition files; one open file, written without a buffer, keeps
    // each record on disk as soon as it is found all the same.
    if (file_ == nullptr) {
        file_ = platform::open_file(to_native(path_), "ab");
        if (file_ == nullptr) {
            throw FileError(path_, std::strerror(errno));
        }
        std::setvbuf(file_, nullptr, _IONBF, 0);
    }
    if (std::fwrite(record.data(), 1, record.size(), file_) != record.size()) {
        const int saved = errno;
        close();
        throw FileError(path_, std::strerror(saved));
    }
    written_ = true;
}

void WavDynamicFile::remove() {
    close();
    std::error_code ec;
    std::filesystem::remove(to_native(path_), ec);
}

} // namespace ferwis
