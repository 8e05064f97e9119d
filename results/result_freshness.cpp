#include "results/result_freshness.h"

#include "common/errors.h"
#include "common/file_system.h"
#include "common/native_path.h"
#include "common/text_compare.h"
#include "format/file_state.h"

namespace ferwis {
namespace {

std::optional<FileState> state_of(std::string_view result_path) {
    const auto digest = digest_of_file(result_path);
    return digest ? read_file_state(result_path, *digest) : std::nullopt;
}

// The missed file as it is on disk now, or nothing while it is still missing.
// The analysis wrote a missing path in lower case: below the main directory it
// is looked for letter case aside, as the analysis looked for it.
std::optional<std::string> now_present(const std::string& missed, const std::string& main,
                                       FolderNameCache& cache) {
    // Named as it lies on the disk, also where the file system ignores case.
    if (missed.size() > main.size() && names_equal(missed.substr(0, main.size()), main)) {
        if (auto found = find_file_case_insensitive(main, missed.substr(main.size()), &cache)) {
            return found;
        }
    }
    if (file_exists(missed)) {
        return missed;
    }
    return std::nullopt;
}

} // namespace

Freshness check_freshness(std::string_view result_path, std::string_view main_dir) {
    const std::optional<FileState> state = state_of(result_path);
    if (!state) {
        return Freshness::Unknown;
    }
    for (const ReadFile& file : state->read) {
        if (file_stamp(file.path) != file.stamp) {
            throw StaleResult(file.path);
        }
    }
    const std::string main = with_final_separator(std::string(main_dir));
    FolderNameCache cache;
    for (const std::string& missed : state->missed) {
        if (const auto present = now_present(missed, main, cache)) {
            throw StaleResult(*present);
        }
    }
    return Freshness::Current;
}

std::optional<std::vector<std::string>> selected_sceneries(std::string_view result_path) {
    std::optional<FileState> state = state_of(result_path);
    if (!state) {
        return std::nullopt;
    }
    return std::move(state->selected);
}

} // namespace ferwis
