#include "app/odczyt_ini.h"

#include "common/blank_text.h"
#include "common/catalogue.h"
#include "common/code_page.h"
#include "common/errors.h"
#include "common/file_system.h"
#include "common/line_reader.h"
#include "common/native_path.h"
#include "common/text_compare.h"

#include <array>
#include <iterator>
#include <optional>
#include <string>
#include <utility>
#include <vector>

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

// The lines of ferwis.ini as Windows-1250. Editors on Linux write UTF-8: a file
// that starts with the UTF-8 byte-order mark, or that is valid UTF-8 and holds
// any byte above 127, is read as UTF-8; any other file as Windows-1250.
std::vector<std::string> read_lines(std::string_view config_path) {
    std::vector<std::string> lines;
    LineReader reader(config_path);
    std::string line;
    bool beyond_ascii = false;
    bool utf8 = true;
    while (reader.next(line)) {
        beyond_ascii = beyond_ascii || !is_ascii(line);
        utf8 = utf8 && is_utf8(line);
        lines.push_back(line);
    }
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    const bool marked = !lines.empty() && lines.front().starts_with(kByteOrderMark);
    if (marked) {
        lines.front().erase(0, kByteOrderMark.size());
    }
    if (marked || (utf8 && beyond_ascii)) {
        for (auto& each : lines) {
            each = utf8_to_cp1250(each);
        }
    }
    return lines;
}

// Reads the sections into state; returns which section headers were seen.
std::array<bool, SectionCount> read_sections(AppState& state, std::string_view config_path) {
    std::array<bool, SectionCount> open{};
    std::array<bool, SectionCount> seen{};
    for (std::string& line : read_lines(config_path)) {
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
                seen[s] = true;
            }
        }
    }
    return seen;
}

// Names each of the three single-value settings that the file leaves without
// a value: without them the window has no function.
std::optional<ConfigurationProblem> missing_settings(const AppState& state,
                                                     const std::array<bool, SectionCount>& seen) {
    const std::pair<Section, const std::string*> required[] = {
        {MainDir, &state.main_dir},
        {Extension, &state.default_extension},
        {CopyPath, &state.copy_move_path}};
    std::string lines;
    for (const auto& [section, value] : required) {
        if (value->empty()) {
            lines.append(lines.empty() ? "" : "\n")
                .append(missing_setting(kHeaders[section], seen[section]));
        }
    }
    if (lines.empty()) {
        return std::nullopt;
    }
    return ConfigurationProblem(Text::SettingsMissing, lines);
}

} // namespace

std::vector<ConfigurationProblem> odczyt_ini(AppState& state, std::string_view config_path) {
    // Each message names the file it is about: a person may have edited
    // another copy of it than the one read.
    const auto size = file_size(config_path);
    if (!size) {
        return {ConfigurationProblem(Text::ConfigMissing, looked_in(config_path))};
    }
    if (*size < 10) {
        return {ConfigurationProblem(Text::ConfigEmpty, config_too_short(config_path, *size))};
    }
    std::array<bool, SectionCount> seen{};
    try {
        seen = read_sections(state, config_path);
    } catch (const FileError& error) {
        // Never go on with half-read settings.
        clear_configuration(state);
        return {ConfigurationProblem(Text::ConfigUnreadable,
                                     failed_file(error.path(), error.reason()))};
    }
    std::vector<ConfigurationProblem> problems;
    if (auto missing = missing_settings(state, seen)) {
        problems.push_back(std::move(*missing));
    }
    if (state.main_dir.empty()) {
        return problems;
    }
    auto folders = check_main_dir(state.main_dir);
    if (!folders.empty()) {
        state.main_dir.clear();
        problems.insert(problems.end(), std::make_move_iterator(folders.begin()),
                        std::make_move_iterator(folders.end()));
    }
    return problems;
}

std::vector<ConfigurationProblem> check_main_dir(std::string_view main_dir) {
    if (!folder_exists(main_dir)) {
        // One message for the folder, not one per sub-directory it cannot hold.
        return {ConfigurationProblem(Text::MainFolderMissing, std::string(main_dir))};
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
        if (!find_entry(main_dir, required.name, true)) {
            problems.emplace_back(required.problem, looked_in(main_dir));
        }
    }
    return problems;
}

} // namespace ferwis
