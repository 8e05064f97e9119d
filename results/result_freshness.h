#pragma once
// Whether a result still says what is on the disk: the files its analysis read
// are as they were, and the files it missed are still missing.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ferwis {

enum class Freshness {
    Current,
    Unknown, // the result has no valid record of its files (older, or written by hand)
};

// Checks the files the analysis of the result at result_path read and missed
// (main_dir: the simulator's main directory). Throws StaleResult naming the
// first file that changed or vanished, or a missed file that now exists.
Freshness check_freshness(std::string_view result_path, std::string_view main_dir);

// The sceneries the analysis of the result selected, or nothing when the
// result has no valid record of them.
std::optional<std::vector<std::string>> selected_sceneries(std::string_view result_path);

} // namespace ferwis
