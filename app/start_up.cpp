#include "app/start_up.h"

#include "app/odczyt_ini.h"
#include "common/errors.h"
#include "common/file_system.h"
#include "common/native_path.h"
#include "common/text_compare.h"
#include "format/result_record.h"

#include <algorithm>

namespace ferwis {

StartUp start_up(const ProgramPaths& paths) {
    StartUp result = start_up(paths.data_dir, paths.config_path());
    if (auto problem = prepare_data_dir(paths)) {
        result.problems.push_back(std::move(*problem));
    }
    return result;
}

bool needs_first_configuration(const ProgramPaths& paths) {
    return paths.installed && !file_size(paths.config_path());
}

StartUp start_up(std::string data_dir, std::string_view config_path) {
    StartUp result;
    result.state.data_dir = std::move(data_dir);
    result.problems = odczyt_ini(result.state, config_path);
    AppState& state = result.state;
    if (state.main_dir.empty() || state.default_extension.empty() || state.copy_move_path.empty()) {
        return result;
    }
    ensure_final_separator(state.copy_move_path);
    result.ready = true;
    result.scenery_dir = content_folder(state.main_dir, "scenery");
    result.result_available = result_file_available(state.result_path());
    return result;
}

std::vector<std::string> list_scenery_files(std::string_view folder) {
    std::vector<std::string> names;
    try {
        for (auto& name : list_folder(folder).files) {
            if (ends_with_name(name, ".scn")) {
                names.push_back(std::move(name));
            }
        }
    } catch (const FileError& error) {
        throw ConfigurationProblem(Text::SceneryFolderUnreadable,
                                   failed_file(error.path(), error.reason()));
    }
    return names;
}

std::vector<std::string> sceneries_not_selected(std::string_view main_dir,
                                                const std::vector<std::string>& selected) {
    std::vector<std::string> others = list_scenery_files(content_folder(main_dir, "scenery"));
    std::erase_if(others, [&](const std::string& name) {
        return std::any_of(selected.begin(), selected.end(),
                           [&](const std::string& chosen) { return names_equal(name, chosen); });
    });
    return others;
}

bool result_file_available(std::string_view result_path) {
    const auto size = file_size(result_path);
    return size && holds_result(*size);
}

} // namespace ferwis
