#include "analysis/rolling_stock/sprawdz_dynamic_wav.h"

#include "analysis/rolling_stock/definition_folders.h"
#include "common/catalogue.h"
#include "common/file_system.h"
#include "common/native_path.h"

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

} // namespace

void sprawdz_mmd(RunState& run, WavDynamicFile& wav_dynamic, const std::string& path,
                 const DefinitionFindings& findings, const SoundReferences& references,
                 const std::string& sounds_dir) {
    const std::string definition_dir(folder_part(path));
    PackageInventory& inventory = run.inventory;
    // Entered in the source table with its first reference: most definition
    // files name no sound.
    std::uint32_t source = kNoSource;
    for (std::size_t r = findings.references_begin; r < findings.references_end; ++r) {
        const SoundReferences::Reference reference = references[r];
        if (source == kNoSource) {
            source = inventory.add_source(path);
            if (findings.stamp) {
                run.source_stamps.note(source, *findings.stamp);
            }
        }
        inventory.set_place(Place{source, reference.line});
        if (reference.beside) {
            wav_dynamic.append(definition_dir + std::string(reference.text), ResultCode::UD);
            count_record(run, ResultCode::UD, reference.size);
            run.rolling_stock_places.push_back(inventory.place());
            continue;
        }
        // A piece that cannot be a path is no reference: it writes no record.
        const std::string candidate = sounds_dir + std::string(reference.text);
        if (can_be_path(candidate) && !sprawdz_wav(inventory, candidate)) {
            wav_dynamic.append(candidate, ResultCode::BD);
            if (run.missing_sounds.empty()) {
                run.missing_sounds_folder = sounds_dir; // the same for every definition file
            }
            run.missing_sounds.push_back(reference.text);
            count_record(run, ResultCode::BD, 0);
            run.rolling_stock_places.push_back(inventory.place());
        }
    }
    if (findings.failure) {
        std::rethrow_exception(findings.failure);
    }
    wav_dynamic.flush();
}

void sprawdz_dynamic_wav(RunState& run, WavDynamicFile& wav_dynamic,
                         std::optional<DefinitionFolders> definitions) {
    run.progress.set_status(text(Text::RollingStockPhase));
    run.progress.set_detail("");
    let_events_run(run.progress);
    const std::string main = with_final_separator(run.settings.main_dir);
    DefinitionFolders walked;
    if (definitions) {
        walked = std::move(*definitions);
    } else {
        walked = read_definition_folders(content_folder(main, "dynamic"));
    }
    if (walked.failure) {
        std::rethrow_exception(walked.failure);
    }
    if (!walked.found) {
        return;
    }
    run.definition_files = std::move(walked.files);
    run.definition_stamps.assign(run.definition_files.size(), std::nullopt);
    for (const DefinitionFindings& findings : walked.definitions) {
        run.definition_stamps[findings.file] = findings.stamp;
    }
    // Found on disk once per run, not once per definition file.
    const std::string sounds_dir = content_folder(main, "sounds");
    auto findings = walked.definitions.begin();
    for (std::size_t f = 0; f < run.definition_files.size(); ++f) {
        const std::string& path = run.definition_files[f];
        run.progress.set_detail(checking_file_detail(path));
        let_events_run(run.progress);
        if (findings != walked.definitions.end() && findings->file == f) {
            sprawdz_mmd(run, wav_dynamic, path, *findings, walked.references, sounds_dir);
            ++findings;
        }
    }
}

} // namespace ferwis
