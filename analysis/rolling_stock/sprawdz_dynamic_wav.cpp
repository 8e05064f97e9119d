#include "analysis/rolling_stock/sprawdz_dynamic_wav.h"

#include "analysis/inventory/walk_folder_tree.h"
#include "common/blank_text.h"
#include "common/catalogue.h"
#include "common/errors.h"
#include "common/file_system.h"
#include "common/line_reader.h"
#include "common/native_path.h"
#include "common/text_compare.h"

#include <exception>
#include <utility>

namespace ferwis {
bool sprawdz_wav(PackageInventory& inventory, std::string_view pszuk) {
    const auto row = inventory.find(pszuk);
    if (row) {
        inventory.mark_rolling_stock_sound(*row);
    }
    return row.has_value();
}

namespace {

void count_record(RunState& run, ResultCode code, std::uintmax_t bytes) {
    if (run.totals != nullptr) {
        CategoryTotal& total = (*run.totals)[static_cast<std::size_t>(code)];
        ++total.records;
        total.bytes += bytes;
    }
}

void resolve_sound(RunState& run, WavDynamicFile& wav_dynamic, const std::string& reference,
                   const std::string& definition_dir, const std::string& sounds_dir,
                   FolderNameCache* folders) {
    // Each name of the reference is matched case-insensitively, and the record
    // keeps the path as it is on disk.
    if (can_be_path(definition_dir + reference)) {
        if (const auto beside = find_file_case_insensitive(definition_dir, reference, folders)) {
            wav_dynamic.append(*beside, ResultCode::UD);
            count_record(run, ResultCode::UD,
                         run.totals != nullptr ? file_size(*beside).value_or(0) : 0);
            run.rolling_stock_places.push_back(run.inventory.place());
            return;
        }
    }
    // A piece that cannot be a path is no reference: it writes no record.
    const std::string candidate = sounds_dir + reference;
    if (can_be_path(candidate) && !sprawdz_wav(run.inventory, candidate)) {
        wav_dynamic.append(candidate, ResultCode::BD);
        count_record(run, ResultCode::BD, 0);
        run.rolling_stock_places.push_back(run.inventory.place());
    }
}

} // namespace

void sprawdz_mmd(RunState& run, WavDynamicFile& wav_dynamic, const std::string& path,
                 const std::string& sounds_dir, FolderNameCache* folders,
                 const std::filesystem::path* native) {
    const std::string definition_dir(folder_part(path));
    LineReader reader = native != nullptr ? LineReader(*native, path) : LineReader(path);
    PackageInventory& inventory = run.inventory;
    // Entered in the source table with its first reference: most definition
    // files name no sound.
    std::uint32_t source = kNoSource;
    std::string line;
    try {
        while (reader.next(line)) {
            normalize_line(line);
            if (line.starts_with("//")) {
                continue;
            }
            cut_sound_references(line, [&](std::string_view piece) {
                if (piece.starts_with("//")) {
                    return;
                }
                if (source == kNoSource) {
                    source = inventory.add_source(path);
                }
                inventory.set_place(
                    Place{source, static_cast<std::uint32_t>(reader.line_number())});
                resolve_sound(run, wav_dynamic, with_read_separators(piece), definition_dir,
                              sounds_dir, folders);
            });
        }
    } catch (const LineTooLong&) {
        // Only this definition file is abandoned; its records so far stay.
    }
    wav_dynamic.flush();
}

void sprawdz_dynamic_wav(RunState& run, WavDynamicFile& wav_dynamic) {
    run.progress.set_status(text(Text::RollingStockPhase));
    run.progress.set_detail("");
    let_events_run(run.progress);
    const std::string main = with_final_separator(run.settings.main_dir);
    DefinitionFolders walked;
    if (run.definitions) {
        walked = std::move(*run.definitions);
        run.definitions.reset();
    } else {
        walked = walk_definition_folders(content_folder(main, "dynamic"));
    }
    if (walked.failure) {
        std::rethrow_exception(walked.failure);
    }
    if (!walked.found) {
        return;
    }
    // Found on disk once per run, not once per definition file.
    const std::string sounds_dir = content_folder(main, "sounds");
    FolderNameCache& folders = walked.names;
    const FolderTree& tree = walked.tree;
    for (std::size_t f = 0; f < tree.files.size(); ++f) {
        const std::string& path = tree.files[f];
        if (!ends_with_name(path, ".mmd")) {
            continue;
        }
        run.progress.set_detail(checking_file_detail(path));
        let_events_run(run.progress);
        // Reached by its name as the walk found it: the text may hold a "?".
        const std::filesystem::path native = tree.native_file(f);
        const auto size = native_file_size(native);
        if (!size) {
            throw FileError(path, "the file disappeared during the run");
        }
        if (*size >= 4) {
            sprawdz_mmd(run, wav_dynamic, path, sounds_dir, &folders, &native);
        }
    }
}

} // namespace ferwis
