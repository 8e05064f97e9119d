#include "format/used_elsewhere.h"

#include "common/text_compare.h"

#include <algorithm>

namespace ferwis {
namespace {

std::string key_of(std::string_view path) {
    std::string key = to_lower(path);
    std::replace(key.begin(), key.end(), '\\', '/');
    return key;
}

} // namespace

void UsedElsewhere::add(std::string_view path, OtherUser user) {
    users_.try_emplace(key_of(path), std::move(user));
}

const OtherUser* UsedElsewhere::find(std::string_view path) const {
    const auto it = users_.find(key_of(path));
    return it == users_.end() ? nullptr : &it->second;
}

} // namespace ferwis
