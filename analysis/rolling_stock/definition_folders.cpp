#include "analysis/rolling_stock/definition_folders.h"

namespace ferwis {

DefinitionFolders walk_definition_folders(const std::string& root) {
    DefinitionFolders walked;
    try {
        walked.found = folder_exists(root);
        if (walked.found) {
            walked.tree = walk_folder_tree(root, false, &walked.names);
        }
    } catch (...) {
        walked.failure = std::current_exception();
    }
    return walked;
}

} // namespace ferwis
