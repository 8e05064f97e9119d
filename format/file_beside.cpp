#include "format/file_beside.h"

#include "common/errors.h"
#include "common/native_path.h"

namespace ferwis {

FolderHandle open_folder_of(std::string_view path, std::string& name) {
    const std::string folder(folder_part(path));
    name = name_part(path);
    std::optional<FolderHandle> opened = FolderHandle::open(folder.empty() ? "./" : folder);
    if (!opened) {
        throw FileError(folder, "the folder cannot be opened");
    }
    return std::move(*opened);
}

OpenFile create_temporary(const FolderHandle& folder, const std::string& name,
                          std::string& temp_name) {
    for (int i = 0;; ++i) {
        temp_name = name + "." + std::to_string(i) + ".tmp";
        if (std::optional<OpenFile> file = folder.create_file(temp_name)) {
            return std::move(*file);
        }
    }
}

} // namespace ferwis
