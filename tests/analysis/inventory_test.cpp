#include "analysis/inventory/listed_sizes.h"
#include "analysis/inventory/walk_folder_tree.h"
#include "analysis/inventory/wypisz_wszystkie_pliki.h"
#include "common/native_path.h"
#include "common/text_compare.h"
#include "installation_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace ferwis {
namespace {

using test::TempTree;

// Lists the installation below tree/inst/ and returns the paths below it with
// their codes.
std::vector<std::string> listing(const TempTree& tree) {
    test::InstallationRun r(tree);
    wypisz_wszystkie_pliki(r.run, r.wav_dynamic);
    const PackageInventory& inventory = r.run.inventory;
    EXPECT_EQ(inventory.listed_count(), inventory.row_count());
    std::vector<std::string> rows;
    for (const auto& row : inventory.listed_rows()) {
        rows.push_back(test::portable(row.path.substr(r.settings.main_dir.size())) + " " +
                       std::string(code_text(row.code)));
    }
    return rows;
}

TEST(wypisz_wszystkie_pliki, content_folders_in_order_of_path) {
    TempTree tree;
    test::make_tree(tree, {},
                    {"inst/textures/b/x.tga", "inst/textures/a.dds", "inst/Models/z/deep/m.t3d",
                     "inst/Models/Z.e3d", "inst/scenery/", "inst/sounds/empty/",
                     "inst/dynamic/x/readme.txt", "inst/inne/opis.pdf", "inst/dalej/other.txt"});
    EXPECT_EQ(listing(tree), (std::vector<std::string>{
                                 "inne/opis.pdf N",
                                 "Models/Z.e3d N", // "." orders before "/"
                                 "Models/z/deep/m.t3d N",
                                 "textures/a.dds N",
                                 "textures/b/x.tga N",
                             }));
}

#ifndef _WIN32
// A FIFO, socket or device is no content: listing it would let a reader wait
// for a writer or read without end. A link to a regular file is content.
TEST(wypisz_wszystkie_pliki, only_regular_files_and_links_to_them) {
    TempTree tree;
    test::make_tree(tree, {{"inst/textures/a.dds", ""}, {"inst/scenery/", ""}});
    ASSERT_EQ(::mkfifo(to_native(tree.path("inst/textures/fifo.dds")).c_str(), 0600), 0);
    namespace fs = std::filesystem;
    fs::create_symlink("/dev/zero", to_native(tree.path("inst/scenery/zero.scn")));
    fs::create_symlink(to_native(tree.path("inst/textures/a.dds")),
                       to_native(tree.path("inst/textures/b.dds")));
    fs::create_symlink(to_native(tree.path("inst/none")),
                       to_native(tree.path("inst/textures/c.dds")));
    EXPECT_EQ(listing(tree), (std::vector<std::string>{"textures/a.dds N", "textures/b.dds N"}));
}
#endif

// A name without a Windows-1250 form stops nothing: the walk goes by the names
// as the file system gives them, the rows carry "?" for the letters the code
// page lacks, and a definition file in such a folder is read.
TEST(wypisz_wszystkie_pliki, names_without_a_windows_1250_form_get_rows) {
    TempTree tree;
    test::make_tree(tree, {{"inst/textures/a.dds", ""}, {"inst/sounds/syrena.wav", ""}});
    const std::filesystem::path main = to_native(tree.path("inst/"));
    std::vector<std::filesystem::path> odd = {std::filesystem::path(u8"Москва")};
    // One "?" per letter; written apart, as "??/" would be read as a trigraph.
    const std::string moskwa(6, '?');
    std::vector<std::string> expected = {"sounds/syrena.wav UD", "textures/" + moskwa + ".dds N",
                                         "textures/" + moskwa + "/sub/b.dds N", "textures/a.dds N"};
#ifndef _WIN32
    // Bytes that are no UTF-8 (on Windows every name is UTF-16 text).
    odd.emplace_back("\xff\xfe");
    const std::string bytes(2, '?');
    expected.insert(expected.begin() + 1,
                    {"textures/" + bytes + ".dds N", "textures/" + bytes + "/sub/b.dds N"});
#endif
    for (const std::filesystem::path& name : odd) {
        std::filesystem::create_directories(main / "textures" / name / "sub");
        std::ofstream(main / "textures" / name / "sub" / "b.dds") << "x";
        std::filesystem::path file = name;
        std::ofstream(main / "textures" / file.concat(".dds")) << "x";
        std::filesystem::create_directories(main / "dynamic" / name);
        std::ofstream(main / "dynamic" / name / "e.mmd", std::ios::binary) << "a: syrena.wav\r\n";
    }
    EXPECT_EQ(listing(tree), expected);
}

TEST(wypisz_wszystkie_pliki, missing_or_empty_installation_lists_nothing) {
    TempTree tree;
    tree.mkdir("inst/");
    EXPECT_TRUE(listing(tree).empty());
}

TEST(walk_folder_tree, breadth_first_and_safe_from_link_loops) {
    TempTree tree;
    test::make_tree(tree, {{"r/f.txt", ""}, {"r/a/b/deep.txt", ""}, {"r/c/g.txt", ""}});
    if (!test::link_folder(tree.path("r"), tree.path("r/a/back"))) {
        GTEST_SKIP() << test::kNoLinks;
    }
    const FolderTree walked = walk_folder_tree(tree.path("r/"));
    const std::string r = tree.path("r/");
    EXPECT_EQ(walked.folders, (std::vector<std::string>{r, tree.path("r/a/"), tree.path("r/c/"),
                                                        tree.path("r/a/b/")}));
    EXPECT_EQ(walked.files, (std::vector<std::string>{tree.path("r/f.txt"), tree.path("r/c/g.txt"),
                                                      tree.path("r/a/b/deep.txt")}));
}

// The walk gives the order of the whole paths without sorting them: names
// around "/" in the byte order ("-", ".", " " before it, "_" and letters
// after), a file named like a folder, and folders equal but for case (whose
// files interleave).
TEST(walk_folder_tree, files_in_the_order_of_their_whole_paths_with_their_sizes) {
    const std::vector<std::string> tricky = {
        "a/x.dds", "a-b/y.dds", "a.dds",  "a b/q.dds", "a_c/r.dds", "ab", "a/b/c/d.dds",
        "a/b.dds", "ąb/x.dds",  "Ąc.dds", "z/ż/ź.dds", "z/Ż.dds",   "z/y"};
    for (const bool twins : {false, true}) {
        TempTree tree;
        std::vector<std::pair<std::string, std::string>> files;
        for (const std::string& name : tricky) {
            files.emplace_back("r/" + cp1250(name), std::string(name.size(), 'x'));
        }
        if (twins) {
            files.emplace_back("r/A/w.dds", "12");
            files.emplace_back("r/A/x.dds", "123");
        }
        test::make_tree(tree, files);
        const FolderTree walked = walk_folder_tree(tree.path("r/"), true);
        std::vector<std::string> paths;
        for (const std::size_t i : files_in_path_order(walked)) {
            paths.push_back(walked.files[i]);
            const std::string relative = walked.files[i].substr(tree.path("").size());
            EXPECT_EQ(walked.file_sizes[i], tree.read(relative).size()) << relative;
        }
        std::vector<std::string> sorted = walked.files;
        std::sort(sorted.begin(), sorted.end(),
                  [](const std::string& a, const std::string& b) { return sort_before(a, b); });
        EXPECT_EQ(paths, sorted) << (twins ? "with twins" : "without twins");
    }
}

// The lengths asked for beside the run, in row order: a folder's files that
// other rows interrupt, a link followed to its file, a file known by its native
// path; a file gone since the listing and a folder that cannot be opened count 0.
TEST(listed_sizes, lengths_of_the_listed_files_in_row_order) {
    TempTree tree;
    test::make_tree(tree, {{"r/a.dds", "1"},
                           {"r/b/c.dds", "22"},
                           {"r/b/d/e.dds", "333"},
                           {"r/b/f.dds", "4444"},
                           {"r/g.dds", "55555"},
                           {"r/gone.dds", "x"}});
    std::vector<std::string> paths;
    std::vector<std::uintmax_t> expected;
    const auto row = [&](const std::string& relative, std::uintmax_t size) {
        paths.push_back(tree.path(cp1250(relative)));
        expected.push_back(size);
    };
    // A name without a Windows-1250 form: its text names no file, its native path does.
    const std::filesystem::path odd =
        to_native(tree.path("r/")) / std::filesystem::path(u8"Москва.dds");
    std::ofstream(odd, std::ios::binary) << "666666";
    const NativePaths natives = {{0, odd}};
    row("r/" + std::string(6, '?') + ".dds", 6);
    row("r/a.dds", 1);
    row("r/b/c.dds", 2);
    row("r/b/d/e.dds", 3);
    row("r/b/f.dds", 4);
    row("r/g.dds", 5);
    row("r/gone.dds", 0);
#ifndef _WIN32
    std::filesystem::create_symlink(to_native(tree.path("r/g.dds")),
                                    to_native(tree.path("r/link.dds")));
    row("r/link.dds", 5);
#endif
    row("r/żaden/h.dds", 0);
    const PackageInventory inventory(paths);
    std::filesystem::remove(to_native(tree.path("r/gone.dds")));

    EXPECT_EQ(measure_listed_files(inventory.listed_rows(), natives), expected);
    ListedSizes sizes;
    EXPECT_TRUE(sizes.take().empty());
    sizes.start(inventory.listed_rows(), natives);
    EXPECT_EQ(sizes.take(), expected);
}

} // namespace
} // namespace ferwis
