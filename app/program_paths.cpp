#include "app/program_paths.h"

#include "common/catalogue.h"
#include "common/file_system.h"
#include "common/native_path.h"
#include "common/platform.h"

#include <filesystem>
#include <system_error>

namespace ferwis {
namespace {

// The build's choice: the Linux package sets it, every other build leaves it.
#ifdef FERWIS_INSTALLED_LAYOUT
constexpr bool kInstalledLayout = true;
#else
constexpr bool kInstalledLayout = false;
#endif

std::string text_of(const std::optional<std::filesystem::path>& native) {
    return native ? from_native(*native) : std::string();
}

// An XDG folder as set, or the default below the home when it is unset or
// not absolute.
std::string base_folder(const std::string& set, const UserFolders& user,
                        std::string_view below_home) {
    if (root_length(set) > 0) {
        return with_final_separator(set);
    }
    return with_final_separator(user.home) + with_read_separators(below_home);
}

} // namespace

ProgramPaths portable_paths(std::string program_dir) {
    ensure_final_separator(program_dir);
    return {false, program_dir, program_dir};
}

ProgramPaths installed_paths(const UserFolders& user) {
    return {true, base_folder(user.config_home, user, ".config/") + "ferwis" + kSeparator,
            base_folder(user.data_home, user, ".local/share/") + "ferwis" + kSeparator};
}

UserFolders user_folders() {
    return {from_native(platform::home_folder()),
            text_of(platform::environment_path("XDG_CONFIG_HOME")),
            text_of(platform::environment_path("XDG_DATA_HOME"))};
}

ProgramPaths program_paths() {
    return kInstalledLayout ? installed_paths(user_folders()) : portable_paths(program_directory());
}

std::optional<ConfigurationProblem> prepare_data_dir(const ProgramPaths& paths) {
    if (!paths.installed) {
        return std::nullopt;
    }
    try {
        make_user_folders(paths.data_dir);
    } catch (const FileError& error) {
        return ConfigurationProblem(Text::DataFolderUnusable,
                                    failed_file(error.path(), error.reason()));
    }
    return std::nullopt;
}

void make_user_folders(std::string_view folder) {
    // Level by level, so that each folder made here is the user's alone, as
    // the freedesktop base directories ask; folders that exist stay as they are.
    std::string level;
    for_each_part(folder, [&](std::string_view part, bool) {
        level.append(part);
        if (!level.empty() && !folder_exists(level)) {
            std::error_code ec;
            const std::filesystem::path native = to_native(level);
            // A drive ("C:") is no folder to make, though it is one to use.
            if (native.has_root_name() && !native.has_relative_path()) {
                level.push_back(kSeparator);
                return true;
            }
            if (!std::filesystem::create_directory(native, ec) && ec) {
                throw FileError(level, ec.message());
            }
            // A file system that keeps no such rights still holds the folder.
            std::filesystem::permissions(native, std::filesystem::perms::owner_all, ec);
        }
        level.push_back(kSeparator);
        return true;
    });
}

} // namespace ferwis
