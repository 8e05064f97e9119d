#include "scenery_fixture.h"

#include "analysis/scenery/read_selected_sceneries.h"
#include "common/native_path.h"
#include "common/text_compare.h"

#include <algorithm>
#include <filesystem>

namespace ferwis::test {

SceneryFixture::SceneryFixture(const std::vector<std::pair<std::string, std::string>>& files,
                               const std::vector<std::string>& empty,
                               const std::string& default_extension) {
    make_tree(tree, files, empty);
    settings.main_dir = tree.root();
    settings.default_extension = default_extension;
    run.scenery_dir = tree.path("scenery/");
    run.textures_dir = tree.path("textures/");
    run.models_dir = tree.path("models/");
    run.sounds_dir = tree.path("sounds/");
    const std::string lower = to_lower(default_extension);
    if (lower == ".dds") {
        run.extensions = {".dds", ".tga", ".bmp", ".tex"};
    } else if (lower == ".tga") {
        run.extensions = {".tga", ".dds", ".bmp", ".tex"};
    }
    list_inventory();
}

void SceneryFixture::list_inventory() {
    std::vector<std::string> paths;
    for (const auto& entry :
         std::filesystem::recursive_directory_iterator(to_native(tree.root()))) {
        if (entry.is_regular_file()) {
            paths.push_back(from_native(entry.path()));
        }
    }
    std::sort(paths.begin(), paths.end(),
              [](const std::string& a, const std::string& b) { return sort_before(a, b); });
    run.inventory = PackageInventory(std::move(paths));
}

void SceneryFixture::read(const std::vector<std::string>& selected) {
    read_selected_sceneries(run, selected);
}

std::vector<std::string> SceneryFixture::used() const {
    std::vector<std::string> out;
    for (const FileEntry& row : run.inventory.listed_rows()) {
        if (row.code == ResultCode::U) {
            out.push_back(portable(row.path.substr(tree.root().size())));
        }
    }
    return out;
}

std::vector<std::string> SceneryFixture::missing() const {
    std::vector<std::string> out;
    const std::string root = to_lower(tree.root());
    for (const FileEntry& row : run.inventory.missing_rows()) {
        const std::string_view path = row.path;
        out.push_back(portable(path.starts_with(root) ? path.substr(root.size()) : path));
    }
    return out;
}

} // namespace ferwis::test
