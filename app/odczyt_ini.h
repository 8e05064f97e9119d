#pragma once

#include "app/app_state.h"
#include "common/errors.h"

#include <string_view>
#include <vector>

namespace ferwis {

// Reads ferwis.ini at config_path into state (program_dir is left alone) and
// checks the main directory for its sub-directories. Returns every problem
// found, in the order a person is to be told. A missing, short or unreadable
// file leaves the configuration part of state empty; a missing sub-directory
// empties main_dir.
std::vector<ConfigurationProblem> odczyt_ini(AppState& state, std::string_view config_path);

} // namespace ferwis
