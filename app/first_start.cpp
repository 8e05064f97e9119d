#include "app/first_start.h"

#include "app/odczyt_ini.h"
#include "common/blank_text.h"
#include "common/catalogue.h"
#include "common/code_page.h"
#include "common/file_system.h"
#include "common/native_path.h"
#include "format/file_beside.h"

#include <filesystem>
#include <system_error>

namespace ferwis {
namespace {

// Whether the reading of ferwis.ini gives back value as it is: it normalises
// blanks, ";" and tabs, ends a line at CR or LF, and reads the other
// separator as the platform's own.
bool survives_reading(std::string_view value) {
    std::string read(value);
    normalize_line(read);
    return read == value && value.find_first_of("\r\n") == std::string_view::npos &&
           value.find(kOtherSeparator) == std::string_view::npos;
}

ConfigurationProblem not_writable(std::string_view path) {
    return ConfigurationProblem(Text::PathNotWritable, std::string(path));
}

} // namespace

ChosenMainDir check_chosen_main_dir(std::string_view utf8_folder) {
    ChosenMainDir chosen;
    std::string text = utf8_to_cp1250(utf8_folder);
    if (cp1250_to_utf8(text) != utf8_folder) {
        chosen.main_dir = std::move(text);
        chosen.problems.push_back(not_writable(chosen.main_dir));
        return chosen;
    }
    if (kOtherSeparator == '/') {
        read_separators(text); // "/" is a separator on Windows too
    }
    std::error_code ec;
    const auto absolute = std::filesystem::absolute(to_native(text), ec);
    chosen.main_dir = with_final_separator(ec ? text : from_native(absolute));
    if (!survives_reading(chosen.main_dir)) {
        chosen.problems.push_back(not_writable(chosen.main_dir));
        return chosen;
    }
    chosen.problems = check_main_dir(chosen.main_dir);
    return chosen;
}

std::string first_copy_path(const UserFolders& user) {
    return with_final_separator(with_final_separator(user.home) + "ferwis-kopia");
}

std::string first_configuration(std::string_view main_dir, std::string_view copy_path) {
    std::string bytes;
    for (const char c : text(Text::FirstConfigNote)) {
        bytes.append(c == '\n' ? "\r\n" : std::string_view(&c, 1));
    }
    bytes.append("\r\n\r\n[sciezka_dostepu]\r\n").append(main_dir);
    bytes.append("\r\n[domyslne_rozszerzenie]\r\ndds\r\n[sciezka_kopiowania_przesuwania]\r\n");
    bytes.append(copy_path).append("\r\n[pomijane_foldery_pliki]\r\n");
    return bytes;
}

std::optional<ConfigurationProblem> write_first_configuration(std::string_view config_path,
                                                              std::string_view main_dir,
                                                              std::string_view copy_path) {
    if (!survives_reading(copy_path)) {
        return not_writable(copy_path);
    }
    const ConfigurationProblem exists(Text::ConfigExists, std::string(config_path));
    if (file_size(config_path)) {
        return exists;
    }
    try {
        make_user_folders(folder_part(config_path));
        ReplacingFile file(config_path);
        file.write(first_configuration(main_dir, copy_path));
        // Never over a ferwis.ini written meanwhile.
        if (!file.commit(false)) {
            return exists;
        }
    } catch (const FileError& error) {
        return ConfigurationProblem(Text::ConfigUnwritable,
                                    failed_file(error.path(), error.reason()));
    }
    return std::nullopt;
}

std::vector<ConfigurationProblem> make_first_configuration(std::string_view config_path,
                                                           std::string_view utf8_folder) {
    ChosenMainDir chosen = check_chosen_main_dir(utf8_folder);
    if (chosen.problems.empty()) {
        if (auto problem = write_first_configuration(config_path, chosen.main_dir,
                                                     first_copy_path(user_folders()))) {
            chosen.problems.push_back(std::move(*problem));
        }
    }
    return std::move(chosen.problems);
}

} // namespace ferwis
