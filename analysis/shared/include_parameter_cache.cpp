#include "analysis/shared/include_parameter_cache.h"

#include "common/text_compare.h"

#include <algorithm>

namespace ferwis {

const std::vector<IncludeTemplate>* IncludeParameterCache::templates_of(std::size_t row) const {
    const auto found = templates_.find(row);
    return found == templates_.end() ? nullptr : &found->second;
}

void IncludeParameterCache::record(std::size_t row, IncludeTemplate::Kind kind,
                                   std::string_view name) {
    auto& templates = templates_[row];
    const bool known = std::any_of(templates.begin(), templates.end(), [&](const auto& t) {
        return t.kind == kind && names_equal(t.name, name);
    });
    if (!known) {
        templates.push_back(IncludeTemplate{kind, std::string(name)});
    }
}

} // namespace ferwis
