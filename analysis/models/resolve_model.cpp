#include "analysis/models/resolve_model.h"

#include "analysis/models/read_text_model.h"
#include "analysis/models/scan_binary_model.h"
#include "analysis/resolve/expand_placeholder.h"
#include "analysis/resolve/lookup.h"
#include "analysis/resolve/record_include_template.h"
#include "analysis/resolve/reference_rules.h"
#include "common/native_path.h"
#include "common/text_compare.h"
#include "format/readable_extensions.h"

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

void resolve_model(SceneryRun& scenery, std::string_view written) {
    std::string name = with_read_separators(written);
    if (find_placeholder(name)) {
        record_include_template(scenery, IncludeTemplate::Kind::Model, name);
        name = expand_placeholder(scenery, name);
    }
    scenery.statement.model_name = name;

    PackageInventory& inventory = scenery.run.inventory;
    const std::string& models = scenery.run.models_dir;
    std::string binary = replace_all(name, kTextModelExtension, kBinaryModelExtension);
    std::string text = replace_all(name, kBinaryModelExtension, kTextModelExtension);

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
    if (binary_found) {
        scan_binary_model(scenery, file_path, native, binary);
    } else {
        read_text_model(scenery, file_path, native, model_texture_subdirectory(scenery, text));
    }
}

} // namespace ferwis
