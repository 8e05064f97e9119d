#pragma once

#include <cstddef>
#include <string_view>

namespace ferwis {

// Lines longer than this are not classified: a file with LF-only line ends is
// read as one long line and passed over.
inline constexpr std::size_t kMaxClassifiedLine = 1000;

enum class LineKind { Ignored, Statement, Timetable };

// Classifies a working line (in lower case, as the readers hold it) by the
// keywords it contains: statements (node, sky with a text model, include,
// trainset, sounds) are tokenised; an event with a timetable names a timetable.
LineKind classify_line(std::string_view line);

} // namespace ferwis
