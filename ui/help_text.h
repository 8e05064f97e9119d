#pragma once

#include <string>

namespace ferwis {

// The text of the help window (Windows-1250), lines separated by CR LF.
const std::string& help_text();

} // namespace ferwis
