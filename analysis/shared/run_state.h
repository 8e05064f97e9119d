#pragma once
// The state of one analysis run that the readers share.

#include "analysis/inventory/listed_sizes.h"
#include "analysis/inventory/package_inventory.h"
#include "analysis/inventory/path_list.h"
#include "analysis/inventory/walk_folder_tree.h"
#include "analysis/shared/opened_stamps.h"
#include "analysis/shared/run_totals.h"
#include "common/progress.h"
#include "format/settings.h"

#include <array>
#include <string>
#include <vector>

namespace ferwis {

struct RunState {
    RunState(const AnalysisSettings& run_settings, Progress& run_progress)
        : settings(run_settings), progress(run_progress) {}

    const AnalysisSettings& settings;
    Progress& progress;
    PackageInventory inventory;

    // Counted when the caller asks for the totals of the result; the lengths
    // of the listed files are then asked for beside the run.
    RunTotals* totals = nullptr;
    ListedSizes listed_sizes; // after the inventory: done with its rows first

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

    // The place of each record of wav_dynamic.txt, in the order appended.
    std::vector<Place> rolling_stock_places;
    // Every definition file read, and the sounds they name that are missing
    // (BD), for the record of what the result was made from. The sounds are
    // tens of thousands on a large installation: their names below the sounds
    // folder looked in, in one block.
    std::vector<std::string> definition_files;
    // The stamps of the files read when they were opened: the sources by
    // number, the definition files by their position (none for one not read).
    OpenedStamps source_stamps;
    std::vector<std::optional<FileStamp>> definition_stamps;
    std::string missing_sounds_folder;
    PathList missing_sounds;

    // The folders the listing passed over.
    PassedOver passed_over;
};

} // namespace ferwis
