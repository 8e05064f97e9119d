#include "app/program_paths.h"
#include "cli/run_cli.h"
#include "common/code_page.h"
#include "common/interrupt.h"
#include "common/native_path.h"
#include "common/platform.h"

#include <iostream>

int main(int argc, char** argv) {
    ferwis::platform::prepare_console();
    ferwis::CliEnvironment environment;
    environment.paths = ferwis::program_paths();
    environment.input = &std::cin;
    environment.input_is_terminal = ferwis::platform::is_terminal(stdin);
    environment.output_is_terminal = ferwis::platform::is_terminal(stdout);
    environment.error_is_terminal = ferwis::platform::is_terminal(stderr);
    ferwis::catch_interrupt_signals();
    environment.interrupted = ferwis::interrupt_signal;
    return ferwis::run_cli(ferwis::platform::utf8_arguments(argc, argv), std::cout, std::cerr,
                           environment);
}
