#include "analysis/wypisz_wszystkie_pliki.h"

#include "analysis/sprawdz_dynamic_wav.h"
#include "analysis/walk_folder_tree.h"
#include "common/code_page.h"
#include "common/file_system.h"
#include "common/native_path.h"

#include <array>
#include <string_view>

namespace ferwis {

void wypisz_wszystkie_pliki(RunState& run, WavDynamicFile& wav_dynamic) {
    run.progress.set_status(cp1250("FAZA - Wypisywanie wszystkich plików..."));
    run.progress.set_detail("");
    let_events_run(run.progress);

    const std::string main = with_final_separator(run.settings.main_dir);
    // The names ascend in this order, so appending each folder's files in the
    // order of their paths keeps the whole inventory sorted.
    static constexpr std::array<std::string_view, 5> kContentFolders = {"inne", "models", "scenery",
                                                                        "sounds", "textures"};
    for (const std::string_view name : kContentFolders) {
        const std::string root = content_folder(main, name);
        if (!folder_exists(root)) {
            continue;
        }
        const bool with_sizes = run.totals != nullptr;
        FolderTree tree = walk_folder_tree(root, with_sizes);
        for (const std::size_t i : files_in_path_order(tree)) {
            FileEntry& entry = run.inventory.rows.emplace_back();
            entry.path = std::move(tree.files[i]);
            if (with_sizes) {
                run.inventory.listed_sizes.push_back(tree.file_sizes[i]);
            }
        }
    }
    run.inventory.listed = run.inventory.rows.size();

    sprawdz_dynamic_wav(run, wav_dynamic);
}

} // namespace ferwis
