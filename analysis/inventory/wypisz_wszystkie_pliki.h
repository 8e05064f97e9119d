#pragma once

#include "analysis/inventory/listed_sizes.h"
#include "analysis/inventory/package_inventory.h"
#include "analysis/inventory/walk_folder_tree.h"
#include "common/progress.h"

#include <filesystem>
#include <functional>
#include <string>

namespace ferwis {

// Work done on the listing's threads beside the content folders (the run reads
// the definition files there); given the real main directory a followed folder
// link must stay in (nullptr when it has none).
using BesideListing = std::function<void(const std::filesystem::path* within)>;

// Builds the package inventory into an empty inventory: every file below the
// content folders inne, models, scenery, sounds and textures of main_dir (found
// case-insensitively, paths with their names as on disk), each with code N, all
// rows in ascending order of the one comparison; missing content folders are
// skipped; the folders passed over are added to passed_over. beside (when
// given) runs once on one of the listing's threads. With sizes, the lengths of the listed files
// are asked for beside the run. Throws FileError when a folder cannot be read,
// OperationCancelled on a close request.
void wypisz_wszystkie_pliki(const std::string& main_dir, Progress& progress,
                            const BesideListing& beside, PackageInventory& inventory,
                            PassedOver& passed_over, ListedSizes* sizes);

} // namespace ferwis
