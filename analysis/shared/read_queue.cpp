#include "analysis/shared/read_queue.h"

#include "common/text_compare.h"

#include <utility>

namespace ferwis {

void ReadQueue::add_selected(const std::string& name) {
    entries_.push_back(name);
    places_.push_back(Place{kSelectedScenery, 0});
    queued_.insert(to_lower(name));
}

bool ReadQueue::add_include(const std::string& name, Place named_at) {
    if (!queued_.insert(to_lower(name)).second) {
        return false;
    }
    entries_.push_back(name);
    places_.push_back(named_at);
    return true;
}

bool ReadQueue::next(std::string& entry, Place& named_at) {
    if (cursor_ == entries_.size()) {
        return false;
    }
    named_at = places_[cursor_];
    // An entry that was read is looked at again only through queued_.
    entry = std::move(entries_[cursor_++]);
    return true;
}

} // namespace ferwis
