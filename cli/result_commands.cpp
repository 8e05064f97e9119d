#include "cli/cli_command.h"

#include <ostream>

namespace ferwis {

// Placeholders until the display and file operation commands land.
int show_command(const CliContext& context) {
    context.err << "ferwis-cli: show is not available yet\n";
    return kExitFailed;
}

int file_operation_command(const CliContext& context) {
    context.err << "ferwis-cli: file operations are not available yet\n";
    return kExitFailed;
}

} // namespace ferwis
