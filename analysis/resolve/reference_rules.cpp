#include "analysis/resolve/reference_rules.h"

#include "analysis/models/read_text_model.h"
#include "analysis/models/scan_binary_model.h"
#include "analysis/resolve/lookup.h"
#include "analysis/scenery/expand_placeholder.h"
#include "analysis/scenery/record_include_template.h"
#include "common/native_path.h"
#include "common/text_compare.h"

#include <string>

namespace ferwis {
namespace {

// Returns text with every case-insensitive occurrence of from replaced by to.
std::string replace_all(std::string_view text, std::string_view from, std::string_view to) {
    std::string out;
    std::size_t start = 0;
    for (std::size_t at = find_name(text, from); at != std::string_view::npos;
         at = find_name(text, from, start)) {
        out.append(text.substr(start, at - start));
        out.append(to);
        start = at + from.size();
    }
    out.append(text.substr(start));
    return out;
}

} // namespace

void resolve_scenery_texture(SceneryRun& scenery, std::string_view texture,
                             std::string_view file_being_read) {
    if (names_equal(texture, "none")) {
        return;
    }
    // The tries read the name's separators themselves.
    std::string& own_directory = scenery.texture_directory;
    own_directory.assign(scenery.run.scenery_dir);
    own_directory.append(folder_part(file_being_read));
    if (resolve_with_extensions(scenery, own_directory, texture, LookupMode::LookUpOnly)) {
        return;
    }
    resolve_with_extensions(scenery, scenery.run.textures_dir, texture, LookupMode::RecordMissing);
}

std::string model_texture_subdirectory(const SceneryRun& scenery, std::string_view model_path) {
    return with_final_separator(scenery.run.textures_dir + std::string(folder_part(model_path)));
}

void resolve_model_texture(SceneryRun& scenery, std::string_view texture,
                           std::string_view texture_subdirectory) {
    if (names_equal(texture, "none") || contains_name(texture, "replacableskin")) {
        return;
    }
    // The tries read the name's separators themselves.
    if (resolve_with_extensions(scenery, texture_subdirectory, texture, LookupMode::LookUpOnly) ||
        resolve_with_extensions(scenery, scenery.run.scenery_dir, texture,
                                LookupMode::LookUpOnly)) {
        return;
    }
    resolve_with_extensions(scenery, scenery.run.textures_dir, texture, LookupMode::RecordMissing);
}

void resolve_model(SceneryRun& scenery, std::string_view written) {
    std::string name = with_read_separators(written);
    if (find_placeholder(name)) {
        record_include_template(scenery, IncludeTemplate::Kind::Model, name);
        name = expand_placeholder(scenery, name);
    }
    scenery.statement.model_name = name;

    PackageInventory& inventory = scenery.run.inventory;
    const std::string& models = scenery.run.models_dir;
    std::string binary = replace_all(name, ".t3d", ".e3d");
    std::string text = replace_all(name, ".e3d", ".t3d");

    // The model's row carries the read-once mark, whichever form was found.
    LookupResult found = resolve_reference(scenery, models, binary, LookupMode::LookUpOnly);
    const bool binary_found = found.found;
    if (!binary_found) {
        found = resolve_reference(scenery, models, text, LookupMode::LookUpOnly);
    }
    if (!found.found) {
        // Present in neither form: recorded missing as the text form.
        resolve_reference(scenery, models, text, LookupMode::RecordMissing);
        return;
    }
    if (!inventory.mark_model_read(found.row)) {
        return;
    }
    // A copy: reading the model may append rows and move the inventory.
    const std::string file_path = inventory.row(found.row).path;
    const std::filesystem::path* native = inventory.native_path(found.row);
    // The model's textures are named by the model (a binary model has no
    // lines); the statement's later names by the statement again.
    const PlaceScope place(inventory, Place{inventory.add_source(file_path), 0});
    if (binary_found) {
        scan_binary_model(scenery, file_path, native, binary);
    } else {
        read_text_model(scenery, file_path, native, model_texture_subdirectory(scenery, text));
    }
}

void resolve_node_sound(SceneryRun& scenery, std::string_view sound) {
    std::string name(sound);
    const LookupResult result = resolve_reference(scenery, to_lower(scenery.run.sounds_dir), name,
                                                  LookupMode::RecordMissing);
    if (!result.newly_used) {
        return;
    }
    const std::string prefix =
        scenery.run.sounds_dir + name.substr(0, name.size() < 4 ? 0 : name.size() - 4);
    PackageInventory& inventory = scenery.run.inventory;
    const RowRange companions = inventory.listed_with_prefix(prefix);
    for (std::size_t row = companions.first; row < companions.last; ++row) {
        if (!ends_with_name(inventory.row(row).path, ".wav")) {
            inventory.mark_if_unused(row, ResultCode::U);
        }
    }
}

} // namespace ferwis
