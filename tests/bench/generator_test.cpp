#include "bench/generator.h"
#include "common/native_path.h"
#include "common/text_compare.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>

namespace fs = std::filesystem;
using ferwis::test::read_file;
using ferwis::test::TempTree;

namespace {

// Every file below main/, by its path relative to it ("/" between the levels).
std::map<std::string, std::string> files_below(const TempTree& tree) {
    const fs::path root = ferwis::to_native(tree.path("main"));
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (entry.is_regular_file()) {
            files[ferwis::test::portable(ferwis::from_native(fs::relative(entry.path(), root)))] =
                read_file(entry.path());
        }
    }
    return files;
}

ferwis::bench::GeneratorSummary generate(const TempTree& tree, std::uint64_t seed) {
    ferwis::bench::GeneratorOptions options;
    options.size = ferwis::bench::InstallationSize::tiny;
    options.seed = seed;
    options.out_dir = tree.root();
    return ferwis::bench::generate_installation(options);
}

} // namespace

TEST(generate_installation, is_determined_by_its_seed) {
    TempTree first, second, other;
    EXPECT_EQ(generate(first, 3), generate(second, 3));
    EXPECT_EQ(files_below(first), files_below(second));
    generate(other, 4);
    EXPECT_NE(files_below(first), files_below(other));
}

TEST(generate_installation, writes_cr_lf_and_lists_files_that_exist) {
    TempTree tree;
    auto summary = generate(tree, 1);
    std::size_t text_files = 0;
    for (const auto& [path, bytes] : files_below(tree)) {
        const bool text =
            ferwis::ends_with_name(path, ".scn") || ferwis::ends_with_name(path, ".inc") ||
            ferwis::ends_with_name(path, ".scm") || ferwis::ends_with_name(path, ".t3d") ||
            ferwis::ends_with_name(path, ".mmd");
        if (text) { // every line ends with CR LF, and no CR or LF stands alone
            ++text_files;
            std::size_t cr = 0, lf = 0, pairs = 0;
            for (std::size_t i = 0; i < bytes.size(); ++i) {
                cr += bytes[i] == '\r';
                lf += bytes[i] == '\n';
                pairs += bytes.compare(i, 2, "\r\n") == 0;
            }
            EXPECT_TRUE(bytes.ends_with("\r\n") && cr == pairs && lf == pairs) << path;
        }
    }
    EXPECT_GT(text_files, 50u);
    for (const auto& [list, key] : {std::pair{"read-text.txt", "read_text_files"},
                                    std::pair{"read-binary.txt", "read_binary_files"}}) {
        std::istringstream lines(read_file(ferwis::to_native(tree.path(list))));
        std::uint64_t count = 0;
        for (std::string line; std::getline(lines, line); ++count) {
            EXPECT_TRUE(fs::is_regular_file(std::u8string(line.begin(), line.end()))) << line;
        }
        EXPECT_EQ(count, summary[key]) << list;
    }
    EXPECT_TRUE(read_file(ferwis::to_native(tree.path("ferwis.ini")))
                    .starts_with("[sciezka_dostepu]\r\n" + tree.root() + "main/\r\n"));
}
