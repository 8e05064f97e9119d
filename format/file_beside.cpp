#include "format/file_beside.h"

#include "common/errors.h"
#include "common/native_path.h"

#include <utility>

namespace ferwis {

FolderHandle open_folder_of(std::string_view path, std::string& name) {
    const std::string folder(folder_part(path));
    name = name_part(path);
    std::optional<FolderHandle> opened = FolderHandle::open(folder.empty() ? "./" : folder);
    if (!opened) {
        throw FileError(folder, text(Text::ReasonFolderUnopenable));
    }
    return std::move(*opened);
}

ReplacingFile::ReplacingFile(std::string_view path)
    : own_folder_(open_folder_of(path, name_)), folder_(*own_folder_) {
    create(name_ + ".");
}

ReplacingFile::ReplacingFile(const FolderHandle& folder, std::string name,
                             std::string_view temp_prefix)
    : name_(std::move(name)), folder_(folder) {
    create(temp_prefix);
}

void ReplacingFile::create(std::string_view temp_prefix) {
    for (int i = 0; !file_; ++i) {
        temp_name_ = std::string(temp_prefix) + std::to_string(i) + ".tmp";
        file_ = folder_.create_file(temp_name_);
    }
}

ReplacingFile::~ReplacingFile() {
    if (committed_) {
        return;
    }
    file_.reset();
    try {
        folder_.remove(temp_name_);
    } catch (const FileError&) {
        // Left alone on purpose: this runs while the failure or cancel that
        // stopped the writing is on its way up, and that is what the person
        // is told. A destructor cannot throw, the previous file is whole, and
        // a temporary file left behind keeps its own name, which the next
        // write passes over.
    }
}

void ReplacingFile::write(std::string_view bytes) {
    file_->write(bytes.data(), bytes.size());
}

void ReplacingFile::close() {
    if (!closed_) {
        file_->close();
        closed_ = true;
    }
}

void ReplacingFile::commit() {
    commit(true);
}

bool ReplacingFile::commit(bool replace) {
    close();
    committed_ = folder_.rename(temp_name_, folder_, name_, replace);
    return committed_;
}

} // namespace ferwis
