#include "app/odczyt_ini.h"

#include "common/errors.h"
#include "common/file_system.h"
#include "common/line_reader.h"
#include "common/native_path.h"
#include "common/normalize_line.h"
#include "common/text_compare.h"

#include <array>

namespace ferwis {
namespace {

enum Section { MainDir, Extension, CopyPath, SkipList, SectionCount };

constexpr std::array<std::string_view, SectionCount> kHeaders = {
    "[sciezka_dostepu]", "[domyslne_rozszerzenie]", "[sciezka_kopiowania_przesuwania]",
    "[pomijane_foldery_pliki]"};

void clear_configuration(AppState& state) {
    state.main_dir.clear();
    state.default_extension.clear();
    state.copy_move_path.clear();
    state.skip_list.clear();
}

void read_sections(AppState& state, std::string_view config_path) {
    LineReader reader(config_path);
    std::array<bool, SectionCount> open{};
    std::string line;
    while (reader.next(line)) {
        normalize_line(line);
        if (!line.empty() && line.front() == '[' && line.find(']') != std::string::npos) {
            open.fill(false);
        } else if (!line.empty()) {
            if (open[MainDir]) {
                state.main_dir = with_read_separators(line);
                ensure_final_separator(state.main_dir);
                open[MainDir] = false;
            }
            if (open[Extension]) {
                state.default_extension = line;
                open[Extension] = false;
            }
            if (open[CopyPath]) {
                state.copy_move_path = with_read_separators(line);
                open[CopyPath] = false;
            }
            if (open[SkipList]) {
                state.skip_list.push_back(state.main_dir + with_read_separators(line));
            }
        }
        for (std::size_t s = 0; s < SectionCount; ++s) {
            if (starts_with_name(line, kHeaders[s])) {
                open[s] = true;
            }
        }
    }
}

} // namespace

std::vector<ConfigurationProblem> odczyt_ini(AppState& state, std::string_view config_path) {
    const auto size = file_size(config_path);
    if (!size) {
        return {ConfigurationProblem(Text::ConfigMissing)};
    }
    if (*size < 10) {
        return {ConfigurationProblem(Text::ConfigEmpty)};
    }
    try {
        read_sections(state, config_path);
    } catch (const FileError&) {
        // Never go on with half-read settings.
        clear_configuration(state);
        return {ConfigurationProblem(Text::ConfigUnreadable)};
    }
    if (state.main_dir.empty()) {
        return {};
    }
    struct Required {
        std::string_view name;
        Text problem;
    };
    static constexpr std::array<Required, 5> kRequired = {{
        {"Scenery", Text::NoSceneryFolder},
        {"Models", Text::NoModelsFolder},
        {"Sounds", Text::NoSoundsFolder},
        {"Textures", Text::NoTexturesFolder},
        {"Dynamic", Text::NoDynamicFolder},
    }};
    std::vector<ConfigurationProblem> problems;
    // Every missing sub-directory is reported, in this order.
    for (const auto& required : kRequired) {
        if (!find_entry(state.main_dir, required.name, true)) {
            problems.emplace_back(required.problem);
        }
    }
    if (!problems.empty()) {
        state.main_dir.clear();
    }
    return problems;
}

} // namespace ferwis
