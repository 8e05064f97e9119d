#pragma once
// The rolling-stock sound check: every *.mmd file below dynamic/ names sounds;
// each is found beside its definition file (a UD record), under sounds/ (its
// inventory row becomes UD) or nowhere (a BD record).

#include "analysis/inventory/package_inventory.h"
#include "analysis/rolling_stock/definition_folders.h"
#include "analysis/shared/run_state.h"
#include "common/file_system.h"
#include "common/text_compare.h"
#include "format/wav_dynamic_file.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ferwis {

inline bool is_reference_start_separator(char c) {
    return c == ':' || c == ' ' || c == ',' || c == ';';
}

// Reports the rolling-stock findings of every definition file of at least 4
// bytes below the main directory's dynamic folder, breadth-first, each after
// showing the file in the detail label and letting events run; the files are
// read beside the listing when it walked the dynamic folder (definitions),
// else here. A
// missing dynamic folder checks nothing. Needs the finished, sorted inventory.
// Throws FileError when a folder or file cannot be read or wav_dynamic cannot
// be written, OperationCancelled on a close request.
void sprawdz_dynamic_wav(RunState& run, WavDynamicFile& wav_dynamic,
                         std::optional<DefinitionFolders> definitions);

// Writes the records of one definition file (full path) from what its reading
// found (read_definition_file): a sound beside it is UD, one under sounds_dir
// (the main directory's sounds folder as it is on disk) makes its row UD, one
// found nowhere is BD. Throws the failure that ended its reading once the
// records of its references before it are written.
void sprawdz_mmd(RunState& run, WavDynamicFile& wav_dynamic, const std::string& path,
                 const DefinitionFindings& findings, const SoundReferences& references,
                 const std::string& sounds_dir);

// Hands take() the sound references of one normalised line, in order: for
// every ".wav" the text from behind the nearest ":", blank, "," or ";" before it
// (or from the start of the line when there is none) up to and including
// ".wav". A piece longer than any path can be names no file and is passed over,
// so that a line of many ".wav" costs time and output in step with its length.
template <typename Take> void cut_sound_references(std::string_view line, Take&& take) {
    // Behind the nearest separator before the position in hand, found going
    // forward; the first character of the line never counts as one.
    std::size_t start = 0;
    for (std::size_t i = 0; i + 4 <= line.size(); ++i) {
        if (i >= 2 && is_reference_start_separator(line[i - 1])) {
            start = i;
        }
        if (names_equal(line.substr(i, 4), ".wav") && i + 4 - start <= kMaxPathLength) {
            take(line.substr(start, i + 4 - start));
        }
    }
}

// Looks pszuk (a full path) up among the listed rows. When found, the row and
// its case-only twins become UD unless they are U already, and the result is true.
bool sprawdz_wav(PackageInventory& inventory, std::string_view pszuk);

} // namespace ferwis
