#include "analysis/models/resolve_model.h"

#include "analysis/models/model_forms.h"
#include "analysis/models/read_text_model.h"
#include "analysis/models/scan_binary_model.h"
#include "analysis/resolve/expand_placeholder.h"
#include "analysis/resolve/lookup.h"
#include "analysis/resolve/record_include_template.h"
#include "analysis/resolve/reference_rules.h"
#include "common/native_path.h"

#include <optional>
#include <string>

namespace ferwis {

void resolve_model(SceneryRun& scenery, std::string_view written) {
    std::string name = with_read_separators(written);
    if (find_placeholder(name)) {
        record_include_template(scenery, IncludeTemplate::Kind::Model, name);
        name = expand_placeholder(scenery, name);
    }
    scenery.statement.model_name = name;

    PackageInventory& inventory = scenery.run.inventory;
    const std::string& models = scenery.run.models_dir;
    auto [binary, text] = model_forms(name);

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
    // A listed row's text stays put while reading the model appends rows.
    const std::string_view file_path = inventory.row(found.row).path;
    const std::filesystem::path* native = inventory.native_path(found.row);
    // The model's textures are named by the model (a binary model has no
    // lines); the statement's later names by the statement again.
    const PlaceScope place(inventory, Place{inventory.add_listed_source(found.row), 0});
    // Its bytes read ahead stand for the reading of the file here.
    std::optional<HeldModel> held;
    if (scenery.ahead != nullptr) {
        held = scenery.ahead->take_model(found.row,
                                         binary_found ? ModelForm::Binary : ModelForm::Text);
    }
    HeldModel* bytes = held ? &*held : nullptr;
    if (binary_found) {
        scan_binary_model(scenery, file_path, native, binary, bytes);
    } else {
        read_text_model(scenery, file_path, native, model_texture_subdirectory(scenery, text),
                        bytes);
    }
}

} // namespace ferwis
