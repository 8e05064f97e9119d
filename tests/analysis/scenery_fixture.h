#pragma once
// A throw-away installation with its listed inventory and run state, for the
// tests of scenery reading.

#include "analysis/shared/run_state.h"
#include "common/progress.h"
#include "support/temp_tree.h"

#include <string>
#include <utility>
#include <vector>

namespace ferwis::test {

// Remembers every detail text shown.
class DetailProgress : public Progress {
public:
    void set_status(std::string_view) override {}
    void set_detail(std::string_view text) override { details.emplace_back(text); }
    void process_events() override {}
    std::vector<std::string> details;
};

class SceneryFixture {
public:
    // Writes the files (paths relative to the main directory, with their bytes)
    // and the empty files and folders of empty, and lists every file of the tree in
    // the order of the one comparison, all N.
    explicit SceneryFixture(const std::vector<std::pair<std::string, std::string>>& files,
                            const std::vector<std::string>& empty = {},
                            const std::string& default_extension = ".dds");

    // Lists the tree again into a fresh inventory.
    void list_inventory();

    // Reads the selected sceneries as the analysis run does.
    void read(const std::vector<std::string>& selected);

    // Listed files with code U, relative to the main directory with "/" as
    // separator, in row order.
    std::vector<std::string> used() const;
    // The appended B rows likewise, in the order recorded.
    std::vector<std::string> missing() const;

    TempTree tree;
    AnalysisSettings settings;
    DetailProgress progress;
    RunState run{settings, progress};
};

} // namespace ferwis::test
