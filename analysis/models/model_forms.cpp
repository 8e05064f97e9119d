#include "analysis/models/model_forms.h"

#include "common/text_compare.h"
#include "format/readable_extensions.h"

namespace ferwis {
namespace {

// Returns text with every case-insensitive occurrence of from replaced by to.
std::string replace_all(std::string_view text, std::string_view from, std::string_view to) {
    std::string out;
    std::size_t start = 0;
    for (std::size_t at = find_name(text, from); at != std::string_view::npos;
         at = find_name(text, from, start)) {
        out.append(text.substr(start, at - start));
        out.append(to);
        start = at + from.size();
    }
    out.append(text.substr(start));
    return out;
}

} // namespace

ModelForms model_forms(std::string_view name) {
    return {replace_all(name, kTextModelExtension, kBinaryModelExtension),
            replace_all(name, kBinaryModelExtension, kTextModelExtension)};
}

} // namespace ferwis
