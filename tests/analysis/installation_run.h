#pragma once
// The run state of an analysis of the installation below tree/inst/, with
// wav_dynamic.txt beside it made empty: for the tests that drive one stage of
// a run by hand.

#include "analysis/run/run_state.h"
#include "format/wav_dynamic_file.h"
#include "support/doubles.h"
#include "support/temp_tree.h"

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
};

} // namespace ferwis::test
