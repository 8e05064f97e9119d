#include "cli/cli_command.h"

#include <ostream>

namespace ferwis {

// Placeholder until the analysis command lands.
int analyze_command(const CliContext& context) {
    context.err << "ferwis-cli: analyze is not available yet\n";
    return kExitFailed;
}

} // namespace ferwis
