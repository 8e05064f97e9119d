#include "analysis/read_selected_sceneries.h"

namespace ferwis {

// Placeholder until the scenery reader lands: reads nothing.
void read_selected_sceneries(RunState&, const std::vector<std::string>&) {}

} // namespace ferwis
