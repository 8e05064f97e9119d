#pragma once
// The state of one analysis run that the readers share.

#include "analysis/package_inventory.h"
#include "common/progress.h"
#include "format/settings.h"

#include <array>
#include <string>

namespace ferwis {

struct RunState {
    RunState(const AnalysisSettings& run_settings, Progress& run_progress)
        : settings(run_settings), progress(run_progress) {}

    const AnalysisSettings& settings;
    Progress& progress;
    PackageInventory inventory;

    // Directory prefixes: main directory + "scenery/", "textures/", "models/",
    // "sounds/", each ending with "/".
    std::string scenery_dir;
    std::string textures_dir;
    std::string models_dir;
    std::string sounds_dir;

    // The texture extension priority list; four empty slots for an unknown default.
    std::array<std::string, 4> extensions;

    // The selected scenery whose queue entries are being read.
    std::string selected_scenery;
};

} // namespace ferwis
