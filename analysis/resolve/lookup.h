#pragma once
// The one lookup of a referenced file: how a name given by a scenery, an
// include or a model becomes a row. Finds directory + name among the listed
// rows, marks the file used, and records a missing file as a B row. The rules
// that say in which directories each kind of reference is looked for are in
// reference_rules.h.

#include "analysis/shared/scenery_run.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace ferwis {

// Whether a failed lookup records the file as missing.
enum class LookupMode { LookUpOnly, RecordMissing };

// Where a lookup stands in the extension fallback: outside it, one of the
// first three tries (which never record), or the last try (which records the
// base name with the first extension of the priority list).
enum class FallbackPosition { None, EarlyTry, LastTry };

struct LookupResult {
    bool found = false;
    std::size_t row = 0;     // index into the inventory rows, when found
    bool newly_used = false; // this lookup turned the row's code into U
};

// Cleans name in place (every "\" read as "/", one leading "/" dropped,
// trailing blanks dropped), then looks up lower case of directory + name. A
// found row becomes U. A miss with RecordMissing appends a B row with the
// lower-case path unless one is already recorded; at the last fallback try the
// recorded name is fallback_base + the first priority extension, cleaned alike.
// Never fails.
LookupResult resolve_reference(SceneryRun& scenery, std::string_view directory, std::string& name,
                               LookupMode mode, FallbackPosition fallback = FallbackPosition::None,
                               std::string_view fallback_base = {});

// Cleans a referenced name as resolve_reference does.
void clean_reference_name(std::string& name);

// Looks up a texture name. A name with a "." anywhere is looked up once as it
// stands; a name without one is tried with each extension of the priority list
// in turn, and only the last try may record a miss (under the first extension).
// Returns whether the file was found.
bool resolve_with_extensions(SceneryRun& scenery, std::string_view directory, std::string_view name,
                             LookupMode mode);

} // namespace ferwis
