#include "bench/generator.h"
#include "common/native_path.h"
#include "common/text_compare.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <algorithm>
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

const char* const kTextEndings[] = {".scn", ".inc", ".scm", ".t3d", ".mmd"};

ferwis::bench::GeneratorSummary generate(const TempTree& tree, std::uint64_t seed) {
    ferwis::bench::GeneratorOptions options;
    options.size = ferwis::bench::InstallationSize::tiny;
    options.seed = seed;
    options.out_dir = tree.root();
    return ferwis::bench::generate_installation(options);
}

} // namespace

// The same seed gives the same tree, another seed another one; the text files
// end every line with CR LF, and the read lists name files that exist.
TEST(generate_installation, is_determined_by_its_seed_and_writes_what_it_lists) {
    TempTree tree, same, other;
    auto summary = generate(tree, 3);
    EXPECT_EQ(generate(same, 3), summary);
    EXPECT_EQ(files_below(same), files_below(tree));
    generate(other, 4);
    EXPECT_NE(files_below(other), files_below(tree));
    std::size_t text_files = 0;
    for (const auto& [path, bytes] : files_below(tree)) {
        const bool text =
            std::any_of(std::begin(kTextEndings), std::end(kTextEndings),
                        [&](const char* end) { return ferwis::ends_with_name(path, end); });
        if (text) { // no CR or LF stands alone
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
