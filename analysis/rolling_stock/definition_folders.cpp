#include "analysis/rolling_stock/definition_folders.h"

#include "analysis/inventory/walk_folder_tree.h"

namespace ferwis {

DefinitionFolders walk_definition_folders(const std::string& root) {
    DefinitionFolders walked;
    try {
        walked.found = folder_exists(root);
        if (walked.found) {
            walked.files = walk_folder_tree(root, false, &walked.names).files;
        }
    } catch (...) {
        walked.failure = std::current_exception();
    }
    return walked;
}

} // namespace ferwis
