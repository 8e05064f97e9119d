#pragma once
// The folders below dynamic/, walked once: every definition file in the order
// the rolling-stock check reads them, and every folder's entries, which answer
// whether a sound lies beside its definition file without a call to the
// system. Walked beside the listing of the content folders.

#include "analysis/inventory/walk_folder_tree.h"
#include "common/file_system.h"

#include <exception>
#include <string>

namespace ferwis {

struct DefinitionFolders {
    bool found = false;         // the main directory has a dynamic folder
    FolderTree tree;            // its files breadth-first, each folder's in name order
    FolderNameCache names;      // every folder walked, with all its entries
    std::exception_ptr failure; // of the walk, reported when the check begins
};

// Walks the dynamic folder root (ending with "/"). A failure is kept, not thrown.
DefinitionFolders walk_definition_folders(const std::string& root);

} // namespace ferwis
