#pragma once
// What the main window's load step decides, without any widget: the window
// shows what this returns.

#include "app/app_state.h"
#include "app/program_paths.h"
#include "common/errors.h"

#include <string>
#include <string_view>
#include <vector>

namespace ferwis {

struct StartUp {
    AppState state;
    bool ready = false;            // the three settings are set: the window gets its function
    std::string scenery_dir;       // the folder File1 lists (ready only)
    bool result_available = false; // wynik.txt of at least 4 bytes (ready only)
    // What a person is told, every problem in the order found.
    std::vector<ConfigurationProblem> problems;
};

// Reads the configuration file at config_path, records data_dir (ending with
// "/") and prepares the start-up state.
StartUp start_up(std::string data_dir, std::string_view config_path);

// The same for the program's own files; the data folder of the installed
// layout is made here when missing.
StartUp start_up(const ProgramPaths& paths);

// Whether the program is to ask for the main directory and write ferwis.ini:
// the installed layout without one.
bool needs_first_configuration(const ProgramPaths& paths);

// Returns the names of the files of folder that match "*.scn" case-insensitively,
// in the order of the one comparison. Throws ConfigurationProblem when the
// folder cannot be read.
std::vector<std::string> list_scenery_files(std::string_view folder);

// The scenery files of main_dir's scenery folder (as list_scenery_files) that
// are not among selected, letter case aside: the sceneries outside an analysis.
std::vector<std::string> sceneries_not_selected(std::string_view main_dir,
                                                const std::vector<std::string>& selected);

// True when the result file exists and is at least 4 bytes long.
bool result_file_available(std::string_view result_path);

} // namespace ferwis
