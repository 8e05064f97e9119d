#pragma once
// The settings the core's procedures need from the configuration, each passed
// on its own so that neither the analysis nor the file operations see the rest
// of the program's state.

#include <string>
#include <vector>

namespace ferwis {

// What one analysis run reads from the configuration.
struct AnalysisSettings {
    std::string main_dir;               // simulator main directory, ending with "/"
    std::string default_extension;      // as written, e.g. "dds" or ".dds"
    std::vector<std::string> skip_list; // full paths whose unused files are exceptions
};

// What a copy, move or delete reads from the configuration.
struct OperationSettings {
    std::string main_dir;       // simulator main directory, ending with "/"
    std::string copy_move_path; // target folder of copy and move, ending with "/"
};

} // namespace ferwis
