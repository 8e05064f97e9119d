#pragma once

#include "app/app_state.h"
#include "common/errors.h"

#include <string_view>
#include <vector>

namespace ferwis {

// Reads ferwis.ini at config_path into state (data_dir is left alone) and
// checks the main directory for its sub-directories. Returns every problem
// found, in the order a person is to be told. A missing, short or unreadable
// file leaves the configuration part of state empty; a missing sub-directory
// empties main_dir.
std::vector<ConfigurationProblem> odczyt_ini(AppState& state, std::string_view config_path);

// Checks that main_dir (ending with the separator) exists and holds the five
// content folders; the problems found, in the order a person is to be told.
std::vector<ConfigurationProblem> check_main_dir(std::string_view main_dir);

} // namespace ferwis
