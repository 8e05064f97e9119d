#pragma once
// Where the programs keep their files. The one place that chooses between the
// two layouts: portable (the build folder, the Windows zip), with ferwis.ini,
// wynik.txt and its side files beside the executable; and installed (the
// Linux package), with ferwis.ini in the user's configuration folder and
// wynik.txt, its side files and the window's lock in the user's data folder.

#include "common/errors.h"

#include <optional>
#include <string>
#include <string_view>

namespace ferwis {

struct ProgramPaths {
    bool installed = false;
    std::string config_dir; // holds ferwis.ini; ends with the separator
    std::string data_dir;   // holds wynik.txt and its side files; ends with the separator

    std::string config_path() const { return config_dir + "ferwis.ini"; }
    std::string result_path() const { return data_dir + "wynik.txt"; }
};

// What the installed layout is made of, as the environment gives it
// (Windows-1250; empty when unset).
struct UserFolders {
    std::string home;        // the user's home folder
    std::string config_home; // XDG_CONFIG_HOME
    std::string data_home;   // XDG_DATA_HOME
};

// Both folders are program_dir.
ProgramPaths portable_paths(std::string program_dir);
// "ferwis" in XDG_CONFIG_HOME and XDG_DATA_HOME, each ignored unless absolute,
// as the freedesktop base directories say; by default ~/.config/ferwis/ and
// ~/.local/share/ferwis/.
ProgramPaths installed_paths(const UserFolders& user);

// The user's folders from the environment.
UserFolders user_folders();

// The running program's paths, in the layout the build chose.
ProgramPaths program_paths();

// Makes the data folder (and the folders above it) when the layout is the
// installed one and it is missing, readable by the user alone. A problem
// when it cannot be made: nothing could be written there.
std::optional<ConfigurationProblem> prepare_data_dir(const ProgramPaths& paths);

// Makes the folder and every missing folder above it, each readable by the
// user alone. Throws FileError.
void make_user_folders(std::string_view folder);

} // namespace ferwis
