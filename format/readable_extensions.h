#pragma once
// The extensions under which the analysis reads one file in another form: a
// texture under any of the texture extensions, a model in its binary or its
// text form. The analysis tries them, and the hints for a missing file offer
// them, from these lists alone.

#include <array>
#include <span>
#include <string_view>

namespace ferwis {

// The texture extensions, in the order of the default ".dds".
inline constexpr std::array<std::string_view, 4> kTextureExtensionNames = {".dds", ".tga", ".bmp",
                                                                           ".tex"};

// A model's two forms; the binary one is tried first.
inline constexpr std::string_view kBinaryModelExtension = ".e3d";
inline constexpr std::string_view kTextModelExtension = ".t3d";
inline constexpr std::array<std::string_view, 2> kModelExtensionNames = {kBinaryModelExtension,
                                                                         kTextModelExtension};

// The group of extensions that includes extension (".dds", ".E3D", ... in any
// letter case), or an empty span when the analysis reads a file of that
// extension in no other form.
std::span<const std::string_view> readable_forms(std::string_view extension);

} // namespace ferwis
