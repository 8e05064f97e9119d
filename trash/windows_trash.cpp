#include "trash/windows_trash.h"

#include "common/catalogue.h"

#include <string>
#include <system_error>
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

namespace ferwis {

// The shell's own delete with undo: the file goes to the Recycle Bin of its drive.
TrashOutcome WindowsTrash::move_to_trash(const std::filesystem::path& path) {
    TrashOutcome outcome;
    std::wstring from = path.native();
    from.push_back(L'\0'); // the list of names ends with two zeros
    SHFILEOPSTRUCTW operation{};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    const int status = SHFileOperationW(&operation);
    if (status != 0 || operation.fAnyOperationsAborted) {
        outcome.reason =
            status != 0 ? std::system_category().message(status) : text(Text::ReasonTrashAborted);
        return outcome;
    }
    std::error_code ec;
    outcome.moved = !std::filesystem::exists(std::filesystem::symlink_status(path, ec));
    if (!outcome.moved) {
        outcome.reason = text(Text::ReasonStillThere);
    }
    return outcome;
}

} // namespace ferwis
