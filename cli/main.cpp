#include "cli/run_cli.h"
#include "common/code_page.h"
#include "common/interrupt.h"
#include "common/native_path.h"

#include <iostream>
#include <unistd.h>

int main(int argc, char** argv) {
    ferwis::CliEnvironment environment;
    environment.program_dir = ferwis::cp1250_to_utf8(ferwis::program_directory());
    environment.input = &std::cin;
    environment.input_is_terminal = isatty(STDIN_FILENO) != 0;
    environment.output_is_terminal = isatty(STDOUT_FILENO) != 0;
    environment.error_is_terminal = isatty(STDERR_FILENO) != 0;
    ferwis::catch_interrupt_signals();
    environment.interrupted = ferwis::interrupt_signal;
    return ferwis::run_cli(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr,
                           environment);
}
