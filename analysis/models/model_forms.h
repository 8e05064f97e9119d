#pragma once

#include <string>
#include <string_view>

namespace ferwis {

// The two names a model is looked for under: its binary form (every ".t3d",
// any case, made ".e3d") and its text form (every ".e3d" made ".t3d").
struct ModelForms {
    std::string binary;
    std::string text;
};

ModelForms model_forms(std::string_view name);

} // namespace ferwis
