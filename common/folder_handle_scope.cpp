#include "common/folder_handle_scope.h"

#include <utility>

namespace ferwis {
namespace {

thread_local FolderHandleScope* innermost = nullptr;

} // namespace

FolderHandleScope::FolderHandleScope(const std::vector<std::string>& folders) : outer_(innermost) {
    for (const std::string& folder : folders) {
        if (auto handle = FolderHandle::open(folder)) {
            folders_.push_back(std::move(*handle));
        }
    }
    innermost = this;
}

FolderHandleScope::~FolderHandleScope() {
    innermost = outer_;
}

const FolderHandle* FolderHandleScope::folder_of(std::string_view path) {
    if (innermost == nullptr) {
        return nullptr;
    }
    const FolderHandle* best = nullptr;
    for (const FolderHandle& folder : innermost->folders_) {
        if (path.starts_with(folder.path()) &&
            (best == nullptr || folder.path().size() > best->path().size())) {
            best = &folder;
        }
    }
    return best;
}

} // namespace ferwis
