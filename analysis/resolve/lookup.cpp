#include "analysis/resolve/lookup.h"

#include "analysis/inventory/listed_index.h"
#include "common/native_path.h"

#include <array>
#include <cstdint>
#include <optional>
#include <tuple>
#include <type_traits>

namespace ferwis {
namespace {

// Per extension of the priority list, the row that directory + name + that
// extension finds, or none, told by one lookup of the name without an
// extension, cleaned as the tries would clean it. Nothing when the list holds
// an extension that is no texture's: then each try is looked up itself.
using TriedRows = std::array<std::optional<std::size_t>, 4>;
std::optional<TriedRows> texture_tries(SceneryRun& scenery, std::string_view directory,
                                       std::string_view name) {
    const auto& extensions = scenery.run.extensions;
    static_assert(std::tuple_size_v<std::decay_t<decltype(extensions)>> ==
                  std::tuple_size_v<TriedRows>);
    const auto& bits = scenery.extension_bits;
    for (const std::uint8_t bit : bits) {
        if (bit == 0) {
            return std::nullopt;
        }
    }
    // A try's trailing blanks are its extension's (none), so cleaning it
    // changes only the separators and one leading "/".
    std::string& cleaned = scenery.tried_name;
    cleaned.assign(name);
    read_separators(cleaned);
    std::string& stem = scenery.tried_path;
    stem.assign(directory);
    stem.append(std::string_view(cleaned).substr(cleaned.starts_with(kSeparator) ? 1 : 0));
    const TextureRows found = scenery.run.inventory.texture_rows(stem);
    TriedRows rows;
    for (std::size_t i = 0; i < extensions.size(); ++i) {
        rows[i] = found.row(bits[i]);
    }
    return rows;
}

} // namespace

void clean_reference_name(std::string& name) {
    read_separators(name);
    if (!name.empty() && name.front() == kSeparator) {
        name.erase(0, 1); // only one: a name beginning with two separators keeps one
    }
    while (!name.empty() && name.back() == ' ') {
        name.pop_back();
    }
}

LookupResult resolve_reference(SceneryRun& scenery, std::string_view directory, std::string& name,
                               LookupMode mode, FallbackPosition fallback,
                               std::string_view fallback_base) {
    clean_reference_name(name);
    std::string& target = scenery.tried_path;
    target.assign(directory);
    target.append(name);
    PackageInventory& inventory = scenery.run.inventory;
    if (const auto row = inventory.find(target)) {
        return LookupResult{true, *row, inventory.mark_used(*row)};
    }
    if (mode != LookupMode::RecordMissing || fallback == FallbackPosition::EarlyTry) {
        return LookupResult{};
    }
    if (fallback == FallbackPosition::LastTry) {
        std::string recorded = std::string(fallback_base) + scenery.run.extensions[0];
        clean_reference_name(recorded);
        target.assign(directory);
        target.append(recorded);
    }
    inventory.record_missing(target);
    return LookupResult{};
}

bool resolve_with_extensions(SceneryRun& scenery, std::string_view directory, std::string_view name,
                             LookupMode mode) {
    if (name.find('.') != std::string_view::npos) {
        std::string& tried = scenery.tried_name;
        tried.assign(name);
        return resolve_reference(scenery, directory, tried, mode).found;
    }
    const auto& extensions = scenery.run.extensions;
    const std::optional<TriedRows> tries = texture_tries(scenery, directory, name);
    for (std::size_t i = 0; i < extensions.size(); ++i) {
        const bool last = i + 1 == extensions.size();
        if (tries) {
            // A try found by the stem's lookup needs no lookup of its own.
            if (const std::optional<std::size_t> row = (*tries)[i]) {
                scenery.run.inventory.mark_used(*row);
                return true;
            }
            // A try that cannot succeed is skipped, unless it records the missing file.
            if (!(last && mode == LookupMode::RecordMissing)) {
                continue;
            }
        }
        std::string& tried = scenery.tried_name;
        tried.assign(name);
        tried.append(extensions[i]);
        const FallbackPosition position =
            last ? FallbackPosition::LastTry : FallbackPosition::EarlyTry;
        if (resolve_reference(scenery, directory, tried, mode, position, name).found) {
            return true;
        }
    }
    return false;
}

} // namespace ferwis
