#pragma once
// The one lookup of a referenced file: finds directory + name among the listed
// rows, marks the file used, and records a missing file as a B row.

#include "analysis/scenery/scenery_run.h"

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

} // namespace ferwis
