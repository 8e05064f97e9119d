#pragma once
// The rolling-stock sound check: every *.mmd file below dynamic/ names sounds;
// each is found beside its definition file (a UD record), under sounds/ (its
// inventory row becomes UD) or nowhere (a BD record).

#include "analysis/package_inventory.h"
#include "analysis/run_state.h"
#include "common/file_system.h"
#include "format/wav_dynamic_file.h"

#include <string>
#include <string_view>
#include <vector>

namespace ferwis {

// Reads every definition file of at least 4 bytes below the main directory's
// dynamic folder, breadth-first, after showing it in the detail label and
// letting events run. A missing dynamic folder checks nothing. Needs the
// finished, sorted inventory. Throws FileError when a folder or file cannot be
// read or wav_dynamic cannot be written, OperationCancelled on a close request.
void sprawdz_dynamic_wav(RunState& run, WavDynamicFile& wav_dynamic);

// Reads one definition file (full path) and resolves every sound reference of
// its lines that are not comments; sounds_dir is the main directory's sounds
// folder as it is on disk. Throws FileError.
void sprawdz_mmd(RunState& run, WavDynamicFile& wav_dynamic, const std::string& path,
                 const std::string& sounds_dir, FolderNameCache* folders = nullptr);

// Returns the sound references of one normalised line, in order: for every
// ".wav" the text from behind the nearest ":", blank, "," or ";" before it (or
// from the start of the line when there is none) up to and including ".wav".
std::vector<std::string> cut_sound_references(std::string_view line);

// Looks pszuk (a full path) up among the listed rows by halving. When found,
// the row becomes UD unless it is already U, and the result is true.
bool sprawdz_wav(PackageInventory& inventory, std::string_view pszuk);

} // namespace ferwis
