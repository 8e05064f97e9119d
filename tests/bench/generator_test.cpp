#include "bench/generator.h"
#include "common/native_path.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace fs = std::filesystem;
using ferwis::bench::generate_installation;
using ferwis::bench::GeneratorOptions;
using ferwis::bench::InstallationSize;

namespace {

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return text;
}

// Every file below root, by its path relative to root.
std::map<std::string, std::string> files_below(const fs::path& root) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (entry.is_regular_file()) {
            files[fs::relative(entry.path(), root).string()] =
                ferwis::test::read_file(entry.path());
        }
    }
    return files;
}

ferwis::bench::GeneratorSummary generate(const ferwis::test::TempTree& tree, std::uint64_t seed) {
    GeneratorOptions options;
    options.size = InstallationSize::tiny;
    options.seed = seed;
    options.out_dir = tree.root();
    return generate_installation(options);
}

bool has_extension(const std::string& path, std::initializer_list<const char*> extensions) {
    const std::string name = lower(path);
    return std::any_of(extensions.begin(), extensions.end(), [&](const char* ext) {
        return name.size() > 4 && name.compare(name.size() - 4, 4, ext) == 0;
    });
}

} // namespace

TEST(generate_installation, is_determined_by_its_seed) {
    ferwis::test::TempTree first, second, other;
    EXPECT_EQ(generate(first, 3), generate(second, 3));
    const auto files = files_below(ferwis::to_native(first.path("main")));
    EXPECT_EQ(files, files_below(ferwis::to_native(second.path("main"))));
    generate(other, 4);
    EXPECT_NE(files, files_below(ferwis::to_native(other.path("main"))));
}

TEST(generate_installation, writes_every_kind_of_file_and_reference) {
    ferwis::test::TempTree tree;
    auto summary = generate(tree, 1);
    for (const char* key :
         {"files_inne", "files_models", "files_scenery", "files_sounds", "files_textures",
          "files_dynamic", "models_text", "models_binary", "mmd_files", "read_text_files",
          "read_binary_files", "scenery_files_selected", "scenery_lines"}) {
        EXPECT_GT(summary[key], 0u) << key;
    }
    const auto files = files_below(ferwis::to_native(tree.path("main")));
    std::uint64_t inventory = 0;
    std::string scenery, models, binary, definitions;
    for (const auto& [path, bytes] : files) {
        inventory += path.rfind("dynamic/", 0) == 0 ? 0u : 1u;
        if (path.rfind("scenery/", 0) == 0 && has_extension(path, {".scn", ".scm", ".inc"})) {
            scenery += lower(bytes);
        } else if (has_extension(path, {".t3d"})) {
            models += bytes;
        } else if (has_extension(path, {".e3d"})) {
            binary += lower(bytes);
        } else if (has_extension(path, {".mmd"})) {
            definitions += lower(bytes);
        }
    }
    EXPECT_EQ(summary["inventory_files"], inventory);
    for (const char* piece : {" triangles ",
                              " triangle_strip ",
                              "endmaterial ",
                              " track ",
                              "vis\r\n",
                              "unvis",
                              " model ",
                              " sound ",
                              ".wav endsound",
                              " end\r\n",
                              "(p1)",
                              "(p2)",
                              "trainset ",
                              "endtrainset",
                              "timetable:",
                              "//$i ",
                              "//$f pl ",
                              "sky ",
                              "\\",
                              "\t",
                              ";",
                              "brak_",
                              "include obiekty/",
                              "include wspolne/",
                              "\r\n\r\n"}) {
        EXPECT_NE(scenery.find(piece), std::string::npos) << piece;
    }
    EXPECT_NE(models.find("Map: "), std::string::npos);
    EXPECT_NE(binary.find("tex0"), std::string::npos);
    EXPECT_NE(binary.find(std::string("\0nam0", 5)), std::string::npos);
    for (const char* piece : {".wav", "//", "\t", ",", "dzwieki/"}) {
        EXPECT_NE(definitions.find(piece), std::string::npos) << piece;
    }
}

TEST(generate_installation, text_files_end_their_lines_with_cr_lf) {
    ferwis::test::TempTree tree;
    generate(tree, 1);
    auto files = files_below(ferwis::to_native(tree.path("main")));
    files["ferwis.ini"] = ferwis::test::read_file(ferwis::to_native(tree.path("ferwis.ini")));
    std::size_t checked = 0;
    for (const auto& [path, bytes] : files) {
        if (path != "ferwis.ini" &&
            !has_extension(path, {".scn", ".scm", ".inc", ".t3d", ".mmd"})) {
            continue;
        }
        ++checked;
        ASSERT_GE(bytes.size(), 2u) << path;
        EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n") << path;
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            if (bytes[i] == '\r' || bytes[i] == '\n') {
                const bool pair = bytes[i] == '\r' ? i + 1 < bytes.size() && bytes[i + 1] == '\n'
                                                   : i > 0 && bytes[i - 1] == '\r';
                ASSERT_TRUE(pair) << path << " at byte " << i;
            }
        }
    }
    EXPECT_GT(checked, 50u);
}

TEST(generate_installation, lists_exactly_files_that_exist_for_the_floor) {
    ferwis::test::TempTree tree;
    auto summary = generate(tree, 1);
    for (const auto& [list, key] : {std::pair{"read-text.txt", "read_text_files"},
                                    std::pair{"read-binary.txt", "read_binary_files"}}) {
        std::istringstream lines(ferwis::test::read_file(ferwis::to_native(tree.path(list))));
        std::uint64_t count = 0;
        for (std::string line; std::getline(lines, line); ++count) {
            EXPECT_TRUE(fs::is_regular_file(line)) << line;
        }
        EXPECT_EQ(count, summary[key]) << list;
    }
    const std::string ini = ferwis::test::read_file(ferwis::to_native(tree.path("ferwis.ini")));
    EXPECT_NE(ini.find("[sciezka_dostepu]\r\n" + tree.root() + "main/\r\n"), std::string::npos);
    EXPECT_NE(ini.find("[domyslne_rozszerzenie]\r\ndds\r\n"), std::string::npos);
    EXPECT_NE(ini.find(tree.root() + "kopia/\r\n"), std::string::npos);
    EXPECT_TRUE(fs::is_directory(ferwis::to_native(tree.path("kopia"))));
}
