#pragma once
// The names of an include file that depend on the parameters of its include
// statement. The first inclusion with parameters reads the file and records
// every such name; later inclusions replay the records with their own
// parameters instead of reading the file again, and mark exactly what a new
// reading would mark.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace ferwis {

struct IncludeTemplate {
    enum class Kind : std::uint8_t { Texture, Model };
    Kind kind;
    std::string name; // as written in the include file, placeholder included
};

class IncludeParameterCache {
public:
    // The templates of the include file at an inventory row, in the order
    // they first occurred; nullptr when it has none.
    const std::vector<IncludeTemplate>* templates_of(std::size_t row) const;

    // Records a template for the include file at an inventory row, unless the
    // file has the same template (kind and name under the one comparison).
    void record(std::size_t row, IncludeTemplate::Kind kind, std::string_view name);

private:
    std::unordered_map<std::size_t, std::vector<IncludeTemplate>> templates_;
};

} // namespace ferwis
