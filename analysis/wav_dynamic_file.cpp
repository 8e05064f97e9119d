#include "analysis/wav_dynamic_file.h"

#include "common/errors.h"
#include "common/native_path.h"
#include "results/result_record.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace ferwis {
namespace {

void write_file(const std::string& path, const char* mode, std::string_view bytes) {
    std::FILE* file = std::fopen(to_native(path).c_str(), mode);
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

void WavDynamicFile::create() {
    write_file(path_, "wb", {});
    written_ = false;
}

void WavDynamicFile::append(std::string_view file_path, ResultCode code) {
    std::string record;
    append_record(record, file_path, code_text(code));
    write_file(path_, "ab", record);
    written_ = true;
}

void WavDynamicFile::remove() const {
    std::error_code ec;
    std::filesystem::remove(to_native(path_), ec);
}

} // namespace ferwis
