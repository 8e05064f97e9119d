#pragma once
// A configuration made for a person who has none: the installed window asks
// for the simulator's main directory at its first start, and ferwis-cli init
// takes it as an argument. Both check the folder and write ferwis.ini here.

#include "app/program_paths.h"
#include "common/errors.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ferwis {

struct ChosenMainDir {
    std::string main_dir; // Windows-1250, absolute, ending with the separator
    // Empty when ferwis.ini may name the folder: it holds the content folders
    // and the reading of ferwis.ini gives back exactly its path.
    std::vector<ConfigurationProblem> problems;
};

// Checks a folder a person chose (UTF-8; a relative one is taken from the
// current folder).
ChosenMainDir check_chosen_main_dir(std::string_view utf8_folder);

// The copy/move path of a new configuration: "ferwis-kopia" in the home folder.
std::string first_copy_path(const UserFolders& user);

// The bytes of a new ferwis.ini, Windows-1250 with CR LF: a note for a person
// above the first header (the reader passes over it), the main directory, the
// texture extension "dds", the copy/move path and an empty skip list.
std::string first_configuration(std::string_view main_dir, std::string_view copy_path);

// Writes a new ferwis.ini at config_path through a temporary file, making its
// folder first. Returns what kept it from being written: a ferwis.ini there
// already (which stays as it is), a copy path that ferwis.ini cannot hold, or
// the file that could not be written with the system's reason.
std::optional<ConfigurationProblem> write_first_configuration(std::string_view config_path,
                                                              std::string_view main_dir,
                                                              std::string_view copy_path);

// Both steps for a folder a person chose (UTF-8): checks it and writes a new
// ferwis.ini at config_path naming it, with the copy/move path of
// first_copy_path. Every problem that kept the file from being written; none
// when it was.
std::vector<ConfigurationProblem> make_first_configuration(std::string_view config_path,
                                                           std::string_view utf8_folder);

} // namespace ferwis
