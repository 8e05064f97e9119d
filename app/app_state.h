#pragma once
// The state every procedure of the main window shares; its configuration part
// is set once at start-up from ferwis.ini.

#include "common/native_path.h"
#include "format/settings.h"

#include <string>
#include <vector>

namespace ferwis {

struct AppState {
    std::string data_dir;               // holds wynik.txt and its side files, ending with "/":
                                        // the program's folder in the portable layout
    std::string main_dir;               // simulator main directory, ending with "/"; empty
                                        // when ferwis.ini names none or a check failed
    std::string default_extension;      // as written, e.g. "dds" or ".dds"
    std::string copy_move_path;         // start-up appends the final "/"
    std::vector<std::string> skip_list; // main directory as read so far + value

    std::string result_path() const { return data_dir + "wynik.txt"; }
    // The journals of the moves and deletes, in the data folder beside the
    // result, one file per operation: the one place that names the folder.
    std::string journal_dir() const { return with_final_separator(data_dir + "dzienniki"); }

    AnalysisSettings analysis_settings() const { return {main_dir, default_extension, skip_list}; }
    OperationSettings operation_settings() const { return {main_dir, copy_move_path}; }
};

} // namespace ferwis
