#pragma once

#include <cstddef>
#include <string>
#include <unordered_set>
#include <vector>

namespace ferwis {

// The files a scenery reading still has to read, as names relative to the
// scenery folder, in the order they were queued. An entry stays queued after
// it was read, so that an include named again is not read twice.
class ReadQueue {
public:
    // Queues a selected scenery, even when an equal entry is queued already.
    void add_selected(const std::string& name);

    // Queues a plain include unless an entry equal under the one comparison is
    // queued already; returns whether it queued it.
    bool add_include(const std::string& name);

    // Takes the next entry to read into entry; false when every entry was read.
    bool next(std::string& entry);

private:
    std::vector<std::string> entries_;
    std::unordered_set<std::string> queued_; // every entry in lower case
    std::size_t cursor_ = 0;                 // the first entry not yet read
};

} // namespace ferwis
