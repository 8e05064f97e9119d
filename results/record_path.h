#pragma once
// The path of a result record as the file operations see it: a hand-edited
// wynik.txt can name anything, so a path is acted on only when it lies below
// the simulator main directory.

#include <optional>
#include <string>
#include <string_view>

namespace ferwis {

// Returns the path with every "\" read as "/" and every run of separators folded
// into one ("C:/Sym//textures\\x.dds" gives "C:/Sym/textures/x.dds").
std::string normalize_record_path(std::string_view path);
// The same into out, reusing its room.
void normalize_record_path(std::string_view path, std::string& out);

// Returns the part of the normalised path below main_dir (a normalised directory
// ending with "/"), when the path begins with main_dir under the one comparison,
// has no ".." segment and no zero byte (the main directory itself gives the empty
// text). Nothing otherwise, also when main_dir is empty or not absolute.
std::optional<std::string> path_below_main(std::string_view path, std::string_view main_dir);

} // namespace ferwis
