#pragma once
// The names of an include file that depend on the parameters of its include
// statement. The first inclusion with parameters reads the file and records
// every such name; later inclusions replay the records with their own
// parameters instead of reading the file again, and mark exactly what a new
// reading would mark.

#include <cstdint>
#include <string>
#include <vector>

namespace ferwis {

struct IncludeTemplate {
    enum class Kind : std::uint8_t { Texture, Model };
    Kind kind;
    std::string name; // as written in the include file, placeholder included
};

struct IncludeParameterCache {
    // One row per include file that has templates, numbered from 1 through the
    // cache_row of the include file's inventory row; each row holds its file's
    // distinct templates in the order they first occur.
    std::vector<std::vector<IncludeTemplate>> rows;
};

} // namespace ferwis
