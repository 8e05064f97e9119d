#pragma once

#include "app/app_state.h"
#include "common/messages.h"

#include <string_view>

namespace ferwis {

// Reads ferwis.ini at config_path into state (program_dir is left alone) and
// checks the main directory for its sub-directories, showing the start-up
// messages through messages. A missing, short or unreadable file leaves the
// configuration part of state empty; a missing sub-directory empties main_dir.
void odczyt_ini(AppState& state, std::string_view config_path, Messages& messages);

} // namespace ferwis
