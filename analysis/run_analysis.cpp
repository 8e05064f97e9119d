#include "analysis/run_analysis.h"

namespace ferwis {

// Placeholder until the analysis run lands.
void run_analysis(AppState&, const std::vector<std::string>&, const std::string&, Progress&) {}

} // namespace ferwis
