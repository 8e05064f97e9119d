#pragma once
// ferwis-cli: the analysis, the result display and the file operations without a window.

#include "app/program_paths.h"

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace ferwis {

struct CliEnvironment {
    ProgramPaths paths;              // default places of ferwis.ini and wynik.txt
    std::istream* input = nullptr;   // answers to questions (delete confirmation)
    bool input_is_terminal = false;  // whether questions may be asked at all
    bool output_is_terminal = false; // out and err go to a terminal: names are
    bool error_is_terminal = false;  // written without their control characters
    // The signal that asked a running operation to stop (0 while none did).
    std::function<int()> interrupted;
};

// Runs one command line (without the program name; arguments in UTF-8). Writes
// results to out and progress and messages to err, in UTF-8. Returns the exit
// status: 0 done, 1 failed, 2 usage or configuration problem, 128 + the
// signal's number when a signal cancelled a file operation.
int run_cli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
            const CliEnvironment& environment);

} // namespace ferwis
