#pragma once

#include "analysis/inventory/package_inventory.h"

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

    // Queues a plain include named at a place unless an entry equal under the
    // one comparison is queued already; returns whether it queued it.
    bool add_include(const std::string& name, Place named_at);

    // Takes the next entry to read into entry, with the place that queued it;
    // false when every entry was read.
    bool next(std::string& entry, Place& named_at);

private:
    std::vector<std::string> entries_;
    std::vector<Place> places_;              // where each entry was named
    std::unordered_set<std::string> queued_; // every entry in lower case
    std::size_t cursor_ = 0;                 // the first entry not yet read
};

} // namespace ferwis
