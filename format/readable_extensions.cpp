#include "format/readable_extensions.h"

#include "common/text_compare.h"

#include <algorithm>

namespace ferwis {

std::span<const std::string_view> readable_forms(std::string_view extension) {
    const auto in = [extension](std::span<const std::string_view> group) {
        return std::any_of(group.begin(), group.end(),
                           [extension](std::string_view e) { return names_equal(e, extension); });
    };
    if (in(kTextureExtensionNames)) {
        return kTextureExtensionNames;
    }
    if (in(kModelExtensionNames)) {
        return kModelExtensionNames;
    }
    return {};
}

} // namespace ferwis
