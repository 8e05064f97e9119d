// ferwis-window-analysis: the analysis as the window runs it, for the benchmark
// to set beside `ferwis-cli analyze`, which also asks the length of every
// listed file for its byte totals: on a large installation that is one status
// call per file, which the window's run does not make.
//
//   ferwis-window-analysis CONFIG RESULT
//
// Reads CONFIG as the programs read ferwis.ini, analyses every scenery of the
// main directory into RESULT and prints nothing. A measuring tool.
#include "analysis/run/run_analysis.h"
#include "app/odczyt_ini.h"
#include "app/start_up.h"
#include "common/errors.h"
#include "common/file_system.h"
#include "common/native_path.h"
#include "common/progress.h"

#include <exception>
#include <iostream>
#include <string>
#include <vector>

namespace {

class QuietProgress : public ferwis::Progress {
public:
    void set_status(std::string_view) override {}
    void set_detail(std::string_view) override {}
    void process_events() override {}
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: ferwis-window-analysis CONFIG RESULT\n";
        return 2;
    }
    try {
        ferwis::AppState state;
        if (!ferwis::odczyt_ini(state, argv[1]).empty() || state.main_dir.empty()) {
            std::cerr << "ferwis-window-analysis: " << argv[1] << " names no installation\n";
            return 1;
        }
        const std::vector<std::string> sceneries =
            ferwis::list_scenery_files(ferwis::content_folder(state.main_dir, "scenery"));
        QuietProgress progress;
        ferwis::run_analysis(state.analysis_settings(), sceneries, argv[2], progress);
    } catch (const std::exception& failure) {
        std::cerr << "ferwis-window-analysis: " << failure.what() << '\n';
        return 1;
    }
    return 0;
}
