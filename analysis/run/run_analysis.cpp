#include "analysis/run/run_analysis.h"

#include "analysis/inventory/mark_exceptions.h"
#include "analysis/inventory/wypisz_wszystkie_pliki.h"
#include "analysis/rolling_stock/definition_folders.h"
#include "analysis/rolling_stock/sprawdz_dynamic_wav.h"
#include "analysis/run/run_file_state.h"
#include "analysis/scenery/read_selected_sceneries.h"
#include "analysis/shared/run_state.h"
#include "common/catalogue.h"
#include "common/errors.h"
#include "common/file_system.h"
#include "common/folder_handle_scope.h"
#include "common/native_path.h"
#include "common/platform.h"
#include "common/text_compare.h"
#include "format/file_state.h"
#include "format/provenance_file.h"
#include "format/result_file.h"
#include "format/wav_dynamic_file.h"

#include <algorithm>
#include <array>
#include <exception>
#include <new>
#include <string_view>
#include <vector>

namespace ferwis {
namespace {

void build_prefixes(RunState& run) {
    const std::string main = with_final_separator(run.settings.main_dir);
    // The folders as they are on disk, so that files named below them can be
    // opened on a case-sensitive file system too.
    run.scenery_dir = content_folder(main, "scenery");
    run.textures_dir = content_folder(main, "textures");
    run.models_dir = content_folder(main, "models");
    run.sounds_dir = content_folder(main, "sounds");
}

// The order in which texture extensions are tried; the default extension may
// be written with or without its leading ".".
std::array<std::string, 4> extension_priority(std::string_view written) {
    std::string default_extension(written);
    if (default_extension.empty() || default_extension.front() != '.') {
        default_extension.insert(0, 1, '.');
    }
    static constexpr std::array<std::array<std::string_view, 4>, 4> kOrders = {{
        {".dds", ".tga", ".bmp", ".tex"},
        {".tga", ".dds", ".bmp", ".tex"},
        {".bmp", ".tga", ".dds", ".tex"},
        {".tex", ".tga", ".dds", ".bmp"},
    }};
    for (const auto& order : kOrders) {
        if (names_equal(default_extension, order[0])) {
            return {std::string(order[0]), std::string(order[1]), std::string(order[2]),
                    std::string(order[3])};
        }
    }
    return {};
}

void write_result(const RunState& run, const WavDynamicFile& wav_dynamic,
                  const std::vector<std::string>& selected, const std::string& result_path) {
    ResultFileWriter result(result_path);
    // The sorted inventory, then the rows of missing files in the order found.
    const PackageInventory& inventory = run.inventory;
    for (std::size_t row = 0; row < inventory.row_count(); ++row) {
        result.add(inventory.row(row).path, code_text(inventory.row(row).code));
    }
    const std::size_t rolling_stock =
        wav_dynamic.written() ? result.add_records_of(wav_dynamic) : 0;

    // The places go to their own file, bound to these exact bytes. It takes its
    // place first: should the result file then fail to take its own, the old
    // result stays, and the new places, bound to other bytes, are never used.
    const ResultDigest digest = result.finish();
    ProvenanceFileWriter provenance(result_path, digest);
    const auto add_place = [&](std::size_t row, Place place) {
        if (place.source != kNoSource) {
            provenance.add(row, inventory.source(place.source), place.line);
        }
    };
    for (std::size_t row = 0; row < inventory.row_count(); ++row) {
        add_place(row, inventory.row(row).place);
    }
    if (rolling_stock == run.rolling_stock_places.size()) {
        for (std::size_t i = 0; i < rolling_stock; ++i) {
            add_place(inventory.row_count() + i, run.rolling_stock_places[i]);
        }
    }
    // A signal that came while the records were written cancels the run before
    // anything replaces the previous result.
    if (run.progress.close_requested()) {
        throw OperationCancelled();
    }
    provenance.commit();
    try {
        write_state(run, selected, result_path, digest);
        result.commit();
    } catch (const FileError&) {
        // The places and the state just written belong to bytes that never
        // became the result.
        remove_provenance(result_path);
        remove_file_state(result_path);
        throw;
    }
}

// Adds the rows of the inventory to the totals (the records of wav_dynamic.txt
// were counted as they were written).
void count_rows(const PackageInventory& inventory, RunTotals& totals) {
    for (std::size_t r = 0; r < inventory.row_count(); ++r) {
        CategoryTotal& total = totals[static_cast<std::size_t>(inventory.row(r).code)];
        ++total.records;
        total.bytes += inventory.listed_size(r);
    }
}

PassedOver analyse(const AnalysisSettings& settings, const std::vector<std::string>& selected,
                   const std::string& result_path, Progress& progress, WavDynamicFile& wav_dynamic,
                   RunTotals* totals) {
    wav_dynamic.create();
    RunState run(settings, progress);
    run.totals = totals;
    // The definition files are read while the content folders are listed.
    std::optional<DefinitionFolders> definitions;
    const std::string dynamic = content_folder(with_final_separator(settings.main_dir), "dynamic");
    wypisz_wszystkie_pliki(
        settings.main_dir, progress,
        [&](const std::filesystem::path* within) {
            definitions = read_definition_folders(dynamic, within);
        },
        run.inventory, run.passed_over, totals != nullptr ? &run.listed_sizes : nullptr);
    if (definitions) {
        run.passed_over += definitions->passed_over;
    }
    sprawdz_dynamic_wav(run, wav_dynamic, std::move(definitions));
    build_prefixes(run);
    run.extensions = extension_priority(settings.default_extension);

    {
        // The sceneries and models read lie below these two: their files are
        // opened relative to them.
        const FolderHandleScope held({run.scenery_dir, run.models_dir});
        read_selected_sceneries(run, selected);
    }

    progress.set_status(text(Text::ExceptionPhase));
    progress.set_detail("");
    let_events_run(progress);
    mark_exceptions(run.inventory, settings.skip_list);
    if (totals != nullptr) {
        run.inventory.set_listed_sizes(run.listed_sizes.take());
        run.passed_over.unmeasured = run.listed_sizes.unmeasured();
        count_rows(run.inventory, *totals);
    }

    write_result(run, wav_dynamic, selected, result_path);
    wav_dynamic.remove();
    progress.set_status("");
    progress.set_detail("");
    return run.passed_over;
}

// The files the sceneries reach, as the inventory of a run that read only them
// marked them: each source a file read added numbers from the count before
// it, so a source belongs to the scenery whose reading began last before it.
UsedElsewhere users_of(const PackageInventory& inventory, const std::vector<std::string>& sceneries,
                       const std::vector<std::uint32_t>& first_source) {
    UsedElsewhere used;
    for (const FileEntry& row : inventory.listed_rows()) {
        if (row.code != ResultCode::U) {
            continue;
        }
        if (row.place.source == kSelectedScenery || row.place.source == kNoSource) {
            // The scenery itself: it uses its own file.
            used.add(row.path,
                     OtherUser{std::string(name_part(row.path)), {std::string(row.path), 0}});
            continue;
        }
        const auto after =
            std::upper_bound(first_source.begin(), first_source.end(), row.place.source);
        const std::size_t scenery =
            after == first_source.begin()
                ? 0
                : static_cast<std::size_t>(after - first_source.begin()) - 1;
        used.add(row.path,
                 OtherUser{sceneries[scenery],
                           {std::string(inventory.source(row.place.source)), row.place.line}});
    }
    return used;
}

// Runs work and turns every failure of it but a cancel into the Failure of
// what the reading was for (an analysis, or the check of the sceneries outside
// it): the one place a failure of a run is said, the message naming the file
// and the system's reason.
template <typename Said, typename Work> auto as_failure(Work&& work) {
    try {
        return work();
    } catch (const OperationCancelled&) {
        throw;
    } catch (const FileError& error) {
        throw Said(error);
    } catch (const std::bad_alloc&) {
        // A line or a list too large for memory ends the run as a failure, not a crash.
        throw Said(text(Text::ReasonOutOfMemory));
    } catch (const std::exception& failure) {
        // Every other failure ends the run the same way; wav_dynamic.txt stays
        // on disk with what was found so far.
        throw Said(failure.what());
    }
}

PassedOver run_one(const AnalysisSettings& settings, const std::vector<std::string>& selected,
                   const std::string& result_path, Progress& progress, RunTotals* totals) {
    // Each phase of a run frees tens of megabytes on a large installation,
    // which the next phase need not keep beside its own.
    platform::return_freed_memory();
    WavDynamicFile wav_dynamic(std::string(folder_part(result_path)) + "wav_dynamic.txt");
    return as_failure<AnalysisFailure>([&] {
        try {
            return analyse(settings, selected, result_path, progress, wav_dynamic, totals);
        } catch (const OperationCancelled&) {
            wav_dynamic.remove(); // a failure here is the run's failure
            throw;
        }
    });
}

} // namespace

PassedOver run_analysis(const AnalysisSettings& settings, const std::vector<std::string>& selected,
                        const std::string& result_path, Progress& progress) {
    return run_one(settings, selected, result_path, progress, nullptr);
}

UsedElsewhere find_used_elsewhere(const AnalysisSettings& settings,
                                  const std::vector<std::string>& sceneries, Progress& progress) {
    if (sceneries.empty()) {
        return UsedElsewhere(); // every scenery was analysed: nothing to list
    }
    platform::return_freed_memory(); // as for a run
    return as_failure<OtherSceneriesUnreadable>([&] {
        RunState run(settings, progress);
        wypisz_wszystkie_pliki(settings.main_dir, progress, {}, run.inventory, run.passed_over,
                               nullptr);
        build_prefixes(run);
        run.extensions = extension_priority(settings.default_extension);
        std::vector<std::uint32_t> first_source;
        {
            const FolderHandleScope held({run.scenery_dir, run.models_dir});
            read_selected_sceneries(run, sceneries, [&](std::size_t) {
                first_source.push_back(run.inventory.source_count());
            });
        }
        progress.set_status("");
        progress.set_detail("");
        return users_of(run.inventory, sceneries, first_source);
    });
}

RunTotals run_analysis_with_totals(const AnalysisSettings& settings,
                                   const std::vector<std::string>& selected,
                                   const std::string& result_path, Progress& progress,
                                   PassedOver* passed_over) {
    RunTotals totals{};
    const PassedOver passed = run_one(settings, selected, result_path, progress, &totals);
    if (passed_over != nullptr) {
        *passed_over = passed;
    }
    return totals;
}

} // namespace ferwis
