#include "analysis/resolve/lookup.h"

#include "analysis/inventory/listed_index.h"
#include "common/native_path.h"

#include <array>
#include <cstdint>
#include <tuple>
#include <type_traits>

namespace ferwis {
namespace {

// Per extension of the priority list, a bit: whether directory + name + that
// extension can be found, told by one lookup of the name without an
// extension, cleaned as the tries would clean it. Every bit when the list
// holds an extension that is no texture's.
std::uint8_t tries_that_can_succeed(SceneryRun& scenery, std::string_view directory,
                                    std::string_view name) {
    const auto& extensions = scenery.run.extensions;
    std::array<std::uint8_t, 8> bits{};
    static_assert(std::tuple_size_v<std::decay_t<decltype(extensions)>> <= bits.size());
    for (std::size_t i = 0; i < extensions.size(); ++i) {
        bits[i] = texture_extension_bit(extensions[i]);
        if (bits[i] == 0) {
            return 0xFF;
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
    const std::uint8_t found = scenery.run.inventory.texture_extensions(stem);
    std::uint8_t present = 0;
    for (std::size_t i = 0; i < extensions.size(); ++i) {
        if ((found & bits[i]) != 0) {
            present = static_cast<std::uint8_t>(present | (1U << i));
        }
    }
    return present;
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
        std::string cleaned(name);
        return resolve_reference(scenery, directory, cleaned, mode).found;
    }
    const auto& extensions = scenery.run.extensions;
    const std::uint8_t present = tries_that_can_succeed(scenery, directory, name);
    for (std::size_t i = 0; i < extensions.size(); ++i) {
        const bool last = i + 1 == extensions.size();
        // A try that cannot succeed is skipped, unless it records the missing file.
        if ((present & (1U << i)) == 0 && !(last && mode == LookupMode::RecordMissing)) {
            continue;
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
