#include "analysis/wypisz_wszystkie_pliki.h"

#include "analysis/sortowanie_szybkie.h"
#include "analysis/sprawdz_dynamic_wav.h"
#include "analysis/walk_folder_tree.h"
#include "common/catalogue.h"
#include "common/file_system.h"
#include "common/native_path.h"

#include <array>
#include <iterator>
#include <string_view>

namespace ferwis {

void wypisz_wszystkie_pliki(RunState& run, WavDynamicFile& wav_dynamic) {
    run.progress.set_status(text(Text::ListingPhase));
    run.progress.set_detail("");
    let_events_run(run.progress);

    const std::string main = with_final_separator(run.settings.main_dir);
    // The names ascend in this order, so appending each folder's sorted files
    // keeps the whole inventory sorted.
    static constexpr std::array<std::string_view, 5> kContentFolders = {"inne", "models", "scenery",
                                                                        "sounds", "textures"};
    std::vector<std::string> listed;
    for (const std::string_view name : kContentFolders) {
        const std::string root = content_folder(main, name);
        if (!folder_exists(root)) {
            continue;
        }
        std::vector<std::string> files = walk_folder_tree(root).files;
        SortowanieSzybkie(files, 0, std::ssize(files) - 1);
        listed.insert(listed.end(), std::make_move_iterator(files.begin()),
                      std::make_move_iterator(files.end()));
    }
    run.inventory = PackageInventory(std::move(listed));

    sprawdz_dynamic_wav(run, wav_dynamic);
}

} // namespace ferwis
