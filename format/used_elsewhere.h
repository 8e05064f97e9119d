#pragma once
// The files that sceneries outside an analysis use: read before a move or a
// delete, so that a file another scenery of the installation names stays
// where it is unless the person asks otherwise.

#include "format/provenance_file.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>

namespace ferwis {

// The scenery (as named below scenery/) that uses a file first, and the place
// that names it there: a scenery's own file has its whole path as the place,
// without a line.
struct OtherUser {
    std::string scenery;
    SourcePlace place;
};

class UsedElsewhere {
public:
    // Keeps the first user of a path.
    void add(std::string_view path, OtherUser user);
    // The first user of the file at path, letter case aside and "\" read as
    // "/"; null when none of the sceneries uses it.
    const OtherUser* find(std::string_view path) const;
    std::size_t size() const { return users_.size(); }

private:
    std::unordered_map<std::string, OtherUser> users_;
};

} // namespace ferwis
