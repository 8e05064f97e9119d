#pragma once
// The run state of an analysis of the installation below tree/inst/, with
// wav_dynamic.txt beside it made empty: for the tests that drive one stage of
// a run by hand.

#include "analysis/inventory/wypisz_wszystkie_pliki.h"
#include "analysis/rolling_stock/definition_folders.h"
#include "analysis/shared/run_state.h"
#include "common/file_system.h"
#include "format/wav_dynamic_file.h"
#include "support/doubles.h"
#include "support/temp_tree.h"

#include <optional>
#include <string>

namespace ferwis::test {

struct InstallationRun {
    explicit InstallationRun(const TempTree& tree) : wav_dynamic(tree.path("wav_dynamic.txt")) {
        settings.main_dir = tree.path("inst/");
        wav_dynamic.create();
    }
    AnalysisSettings settings;
    SilentProgress progress;
    RunState run{settings, progress};
    WavDynamicFile wav_dynamic;

    // Lists the installation as a run does, its definition files read beside.
    std::optional<DefinitionFolders> list() {
        std::optional<DefinitionFolders> definitions;
        const std::string dynamic = content_folder(settings.main_dir, "dynamic");
        wypisz_wszystkie_pliki(
            settings.main_dir, progress,
            [&](const std::filesystem::path* within) {
                definitions = read_definition_folders(dynamic, within);
            },
            run.inventory, run.passed_over, nullptr);
        return definitions;
    }
};

} // namespace ferwis::test
