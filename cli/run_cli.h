#pragma once
// ferwis-cli: the analysis, the result display and the file operations without a window.

#include <iosfwd>
#include <string>
#include <vector>

namespace ferwis {

struct CliEnvironment {
    std::string program_dir;         // default place of ferwis.ini and wynik.txt, ending with "/"
    std::istream* input = nullptr;   // answers to questions (delete confirmation)
    bool input_is_terminal = false;  // whether questions may be asked at all
    bool output_is_terminal = false; // out and err go to a terminal: names are
    bool error_is_terminal = false;  // written without their control characters
};

// Runs one command line (without the program name; arguments in UTF-8). Writes
// results to out and progress and messages to err, in UTF-8. Returns the exit
// status: 0 done, 1 failed, 2 usage or configuration problem.
int run_cli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
            const CliEnvironment& environment);

} // namespace ferwis
