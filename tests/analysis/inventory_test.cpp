#include "analysis/inventory/file_lengths.h"
#include "analysis/inventory/hash_buckets.h"
#include "analysis/inventory/listed_sizes.h"
#include "analysis/inventory/package_inventory.h"
#include "analysis/inventory/walk_folder_tree.h"
#include "analysis/inventory/wypisz_wszystkie_pliki.h"
#include "analysis/rolling_stock/sprawdz_dynamic_wav.h"
#include "common/native_path.h"
#include "common/text_compare.h"
#include "installation_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <tuple>
#include <utility>

#ifndef _WIN32
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace ferwis {
namespace {

using test::TempTree;

// Lists the installation below tree/inst/ and returns the paths below it with
// their codes.
std::vector<std::string> listing(const TempTree& tree) {
    test::InstallationRun r(tree);
    sprawdz_dynamic_wav(r.run, r.wav_dynamic, r.list());
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

// Folder links are followed only to folders inside the main directory: a link
// to / or to a folder beside the installation is passed over and counted. The
// folders below a followed link, in another content folder, are listed too.
TEST(wypisz_wszystkie_pliki, links_out_of_the_main_directory_are_not_followed) {
    TempTree tree;
    test::make_tree(tree, {{"inst/models/m/x.t3d", ""},
                           {"inst/models/m/sub/deeper/y.t3d", ""},
                           {"outside/o.dds", ""},
                           {"inst/inne/", ""}});
    if (!test::link_folder(tree.path("outside"), tree.path("inst/inne/obce")) ||
        !test::link_folder(tree.path("inst/models/m"), tree.path("inst/inne/moje")) ||
        !test::link_folder(test::absolute("/"), tree.path("inst/inne/root"))) {
        GTEST_SKIP() << test::kNoLinks;
    }
    test::InstallationRun r(tree);
    sprawdz_dynamic_wav(r.run, r.wav_dynamic, r.list());
    std::vector<std::string> rows;
    for (const auto& row : r.run.inventory.listed_rows()) {
        rows.push_back(test::portable(row.path.substr(r.settings.main_dir.size())));
    }
    EXPECT_EQ(rows, (std::vector<std::string>{"inne/moje/sub/deeper/y.t3d", "inne/moje/x.t3d",
                                              "models/m/sub/deeper/y.t3d", "models/m/x.t3d"}));
    EXPECT_EQ(r.run.passed_over.outside_links, 2u);
    EXPECT_EQ(r.run.passed_over.long_paths, 0u);
}

#ifndef _WIN32
// Nested folders of one long name, a file z.dds in each, made and taken apart
// through handles: their whole paths grow past what the system takes, and
// the tree's own removal goes by whole paths.
class DeepFolders {
public:
    DeepFolders(const std::string& top, std::string name)
        : name_(std::move(name)), folders_{::open(top.c_str(), O_DIRECTORY)} {}
    DeepFolders(const DeepFolders&) = delete;
    DeepFolders& operator=(const DeepFolders&) = delete;
    ~DeepFolders() {
        for (std::size_t level = folders_.size() - 1; level > 0; --level) {
            ::unlinkat(folders_[level], "z.dds", 0);
            ::close(folders_[level]);
            ::unlinkat(folders_[level - 1], name_.c_str(), AT_REMOVEDIR);
        }
        ::close(folders_.front());
    }

    // One more level below the deepest; false when it cannot be made.
    bool add() {
        if (::mkdirat(folders_.back(), name_.c_str(), 0700) != 0) {
            return false;
        }
        folders_.push_back(::openat(folders_.back(), name_.c_str(), O_DIRECTORY));
        if (folders_.back() < 0) {
            return false;
        }
        ::close(::openat(folders_.back(), "z.dds", O_CREAT | O_WRONLY, 0600));
        return true;
    }

private:
    std::string name_;
    std::vector<int> folders_;
};
#endif

#ifndef _WIN32
// 17 nested folders of 255-byte names, a file in each: the path of the
// deepest ones is longer than the system takes. The walk passes over the first
// such folder, counts it, and lists the rest: every folder whose whole path
// the system takes, though each is opened by its path below the content folder.
TEST(wypisz_wszystkie_pliki, a_folder_whose_path_is_too_long_is_passed_over) {
    TempTree tree;
    test::make_tree(tree, {{"inst/textures/a.dds", ""}, {"inst/textures/deep/", ""}});
    const std::string name(255, 'd');
    DeepFolders deep(tree.path("inst/textures/deep"), name);
    std::vector<std::string> expected = {tree.path("inst/textures/a.dds")};
    std::string path = tree.path("inst/textures/deep/");
    for (int level = 0; level < 17; ++level) {
        ASSERT_TRUE(deep.add());
        path += name + "/";
        if (path.size() < PATH_MAX) {
            expected.insert(expected.end() - level, path + "z.dds");
        }
    }
    ASSERT_LT(expected.size(), 17u);
    test::InstallationRun r(tree);
    sprawdz_dynamic_wav(r.run, r.wav_dynamic, r.list());
    std::vector<std::string> rows;
    for (const auto& row : r.run.inventory.listed_rows()) {
        rows.emplace_back(row.path);
    }
    EXPECT_EQ(rows, expected);
    EXPECT_EQ(r.run.passed_over.long_paths, 1u);
}
#endif

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
    const std::vector<std::string> files = {tree.path("r/f.txt"), tree.path("r/c/g.txt"),
                                            tree.path("r/a/b/deep.txt")};
    ASSERT_EQ(walked.files.size(), files.size());
    for (std::size_t i = 0; i < files.size(); ++i) {
        EXPECT_EQ(walked.files[i], files[i]);
    }
}

#ifndef _WIN32
// Folders are opened by their paths below the root, but one whose whole path
// is longer than the system takes is passed over all the same.
TEST(walk_folder_tree, passes_over_a_folder_whose_whole_path_is_too_long) {
    TempTree tree;
    test::make_tree(tree, {{"deep/", ""}});
    const std::string name(255, 'd');
    DeepFolders deep(tree.path("deep"), name);
    std::string root = tree.path("deep/");
    // The root as deep as the system takes, one folder below it too deep.
    for (bool below = false; !below;) {
        below = root.size() + name.size() + 1 >= PATH_MAX;
        ASSERT_TRUE(deep.add());
        if (!below) {
            root += name + "/";
        }
    }
    const FolderTree walked = walk_folder_tree(root);
    EXPECT_EQ(walked.folders, (std::vector<std::string>{root, root + name + "/"}));
    ASSERT_EQ(walked.files.size(), 1u);
    EXPECT_EQ(walked.files[0], root + "z.dds");
    EXPECT_EQ(walked.passed_over.long_paths, 1u);
}
#endif

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
            paths.emplace_back(walked.files[i]);
            const std::string relative(walked.files[i].substr(tree.path("").size()));
            EXPECT_EQ(walked.file_sizes[i], tree.read(relative).size()) << relative;
        }
        std::vector<std::string> sorted = paths;
        std::sort(sorted.begin(), sorted.end(),
                  [](const std::string& a, const std::string& b) { return sort_before(a, b); });
        EXPECT_EQ(paths, sorted) << (twins ? "with twins" : "without twins");
    }
}

std::vector<std::uintmax_t> all_of(const FileLengths& lengths) {
    std::vector<std::uintmax_t> all;
    for (std::size_t row = 0; row < lengths.size(); ++row) {
        all.push_back(lengths[row]);
    }
    return all;
}

// A length takes 4 bytes unless it needs more: those around the bound, between
// and after others, each read back as set.
TEST(file_lengths, every_length_read_back_as_set) {
    constexpr std::uintmax_t kBound = std::uintmax_t{1} << 32;
    const std::vector<std::uintmax_t> set = {
        0, kBound - 2, kBound - 1, kBound, 7, kBound + 1, std::uintmax_t{1} << 62, kBound - 1, 3};
    FileLengths lengths(set.size() + 1);
    for (std::size_t row = 0; row < set.size(); ++row) {
        lengths.set(row, set[row]);
    }
    std::vector<std::uintmax_t> expected = set;
    expected.push_back(0); // never set
    EXPECT_EQ(all_of(lengths), expected);
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
    // A folder reached through a link is opened through it, as by its path.
    std::filesystem::create_directory_symlink(to_native(tree.path("r/b/d/")),
                                              to_native(tree.path("r/ln")));
    row("r/ln/e.dds", 3);
#endif
    row("r/żaden/h.dds", 0);
    const PackageInventory inventory(paths);
    std::filesystem::remove(to_native(tree.path("r/gone.dds")));

    std::size_t unmeasured = 99;
    EXPECT_EQ(all_of(measure_listed_files(inventory.listed_rows(), natives, {}, &unmeasured)),
              expected);
    EXPECT_EQ(unmeasured, 0u); // a file or folder that went is no refusal
    ListedSizes sizes;
    EXPECT_TRUE(sizes.take().empty());
    sizes.start(inventory.listed_rows(), natives);
    EXPECT_EQ(all_of(sizes.take()), expected);
    EXPECT_EQ(sizes.unmeasured(), 0u);
}

std::vector<ResultCode> codes(const PackageInventory& inventory) {
    std::vector<ResultCode> out;
    for (std::size_t row = 0; row < inventory.row_count(); ++row) {
        out.push_back(inventory.row(row).code);
    }
    return out;
}

TEST(package_inventory, finds_listed_rows_under_the_one_comparison) {
    std::vector<std::string> paths = {"/m/Models/A.e3d", "/m/models/a.E3D", "/m/textures/b.dds"};
    // Enough rows that many share a run of probed slots.
    for (int i = 100; i < 400; ++i) {
        paths.push_back("/m/x/" + std::to_string(i));
    }
    PackageInventory inventory(paths);
    inventory.record_missing("/m/textures/brak.dds");
    const std::pair<const char*, std::optional<std::size_t>> cases[] = {
        {"/m/models/a.e3d", 0}, // the first of two case-only twins
        {"/M/MODELS/A.E3D", 0},
        {"/m/textures/B.DDS", 2},
        {"/m/x/100", 3},
        {"/m/x/399", 302},
        {"/m/textures/brak.dds", std::nullopt}, // missing-file rows are not found
        {"/m/textures/b.dd", std::nullopt},
        {"/m/textures/b.ddss", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [path, row] : cases) {
        EXPECT_EQ(inventory.find(path), row) << path;
    }
    EXPECT_EQ(PackageInventory().find("/m/x/100"), std::nullopt);
    EXPECT_EQ(PackageInventory(std::vector<std::string>{}).find(""), std::nullopt);
}

TEST(package_inventory, keeps_its_blocks_of_paths_through_a_move) {
    // Paths of 3 to 40 bytes: short ones would lie inside a string object,
    // whose move takes them along, and leave the rows' views dangling.
    std::vector<ListedBlock> blocks(3);
    blocks[0].paths.push_back("/m/B/" + std::string(35, 'x'));
    blocks[0].paths.push_back("/m/a");
    blocks[0].order = {1, 0}; // as walked, not in order
    blocks[2].paths.push_back("/m/c/d.dds");
    PackageInventory moved = PackageInventory::of_blocks(std::move(blocks));
    const PackageInventory inventory = std::move(moved);
    ASSERT_EQ(inventory.listed_count(), 3u);
    EXPECT_EQ(inventory.row(1).path, "/m/B/" + std::string(35, 'x'));
    EXPECT_EQ(inventory.find("/M/c/D.DDS"), 2u);
    EXPECT_EQ(inventory.texture_rows("/m/C/d").row(texture_extension_bit(".dds")), 2u);
    EXPECT_EQ(inventory.listed_with_prefix("/M/b/").first, 1u);
    EXPECT_EQ(inventory.listed_with_prefix("/M/b/").last, 2u);
}

TEST(package_inventory, gives_the_rows_of_a_stems_textures) {
    std::vector<std::string> paths = {"/m/t/A.dds",  "/m/t/a.dds", "/m/t/a.png",    "/m/t/a.TGA",
                                      "/m/t/ab.bmp", "/m/t/b",     "/m/t/c.tex.dds"};
    // A stem whose textures have many of its other files between them: the
    // later ones are found through the table.
    paths.push_back("/m/t/d.bmp");
    for (int i = 100; i < 140; ++i) {
        paths.push_back("/m/t/d.c" + std::to_string(i));
    }
    paths.push_back("/m/t/d.dds");
    paths.push_back("/m/t/d.tex");
    const PackageInventory inventory(paths);
    const std::uint8_t dds = texture_extension_bit(".dds");
    const std::uint8_t tga = texture_extension_bit(".TGA");
    const std::uint8_t bmp = texture_extension_bit(".bmp");
    const std::uint8_t tex = texture_extension_bit(".tex");
    const struct {
        const char* stem;
        std::vector<std::pair<std::uint8_t, std::size_t>> rows; // extension bit, row
    } cases[] = {
        // A case twin's extension counts, found as its first twin; another file's does not.
        {"/m/t/a", {{dds, 0}, {tga, 3}}},
        {"/M/T/A", {{dds, 0}, {tga, 3}}},
        {"/m/t/ab", {{bmp, 4}}},
        {"/m/t/c.tex", {{dds, 6}}},
        {"/m/t/d", {{bmp, 7}, {dds, 48}, {tex, 49}}},
        {"/m/t/b", {}}, // a file without an extension is no texture of that stem
        {"/m/t/c", {}},
        {"/m/t/", {}},
        {"", {}},
    };
    for (const auto& c : cases) {
        const TextureRows found = inventory.texture_rows(c.stem);
        std::uint8_t extensions = 0;
        for (const auto& [bit, row] : c.rows) {
            extensions = static_cast<std::uint8_t>(extensions | bit);
            EXPECT_EQ(found.row(bit), row) << c.stem;
        }
        EXPECT_EQ(found.extensions, extensions) << c.stem;
    }
    EXPECT_EQ(texture_extension_bit(".png"), 0);
    EXPECT_EQ(texture_extension_bit("dds"), 0);
    EXPECT_EQ(texture_extension_bit(".ddss"), 0);
}

TEST(hash_buckets, finds_values_along_runs_that_cross_buckets_and_wrap) {
    HashBuckets<std::uint32_t, 12> table;
    table.reset(18); // four buckets of twelve slots
    // Low bits that choose the last bucket: the run fills it and wraps to the first.
    constexpr std::uint64_t kLastBucket = 0xF0000000U;
    constexpr std::uint64_t kTagA = std::uint64_t{0x11} << 57;
    constexpr std::uint64_t kTagB = std::uint64_t{0x22} << 57;
    for (std::uint32_t v = 0; v < 20; ++v) {
        table.insert(kLastBucket | kTagA, v);
    }
    table.insert(kLastBucket | kTagB, 500);
    std::size_t asked = 0;
    const auto value_of = [&](std::uint64_t hash, auto accepts) -> std::optional<std::uint32_t> {
        const std::uint32_t* found = table.find(hash, [&](std::uint32_t v) {
            ++asked;
            return accepts(v);
        });
        return found ? std::optional(*found) : std::nullopt;
    };
    for (std::uint32_t v = 0; v < 20; ++v) {
        EXPECT_EQ(value_of(kLastBucket | kTagA, [v](std::uint32_t x) { return x == v; }), v);
    }
    // Values of one key are found in the order put.
    EXPECT_EQ(value_of(kLastBucket | kTagA, [](std::uint32_t) { return true; }), 0u);
    // The key is asked about only where the tag matches, and a free slot ends the run.
    asked = 0;
    EXPECT_EQ(value_of(kLastBucket | kTagB, [](std::uint32_t) { return true; }), 500u);
    EXPECT_EQ(asked, 1u);
    asked = 0;
    EXPECT_EQ(value_of(kLastBucket | kTagA, [](std::uint32_t x) { return x == 99; }), std::nullopt);
    EXPECT_EQ(asked, 20u);
    EXPECT_EQ(value_of(std::uint64_t{0x33} << 57, [](std::uint32_t) { return true; }),
              std::nullopt);
    EXPECT_EQ((HashBuckets<std::uint32_t, 12>().find(0, [](std::uint32_t) { return true; })),
              nullptr);
}

TEST(package_inventory, refuses_a_listing_out_of_order) {
    EXPECT_THROW(PackageInventory({"/m/b", "/m/A"}), std::invalid_argument);
    EXPECT_THROW(PackageInventory({"/m/a/x", "/m/a"}), std::invalid_argument);
    EXPECT_NO_THROW(PackageInventory({"/m/a", "/m/A", "/m/a", "/m/a.b", "/m/a/b"}));
}

TEST(package_inventory, marks_keep_decided_rows_and_reach_every_case_only_twin) {
    using enum ResultCode;
    PackageInventory inventory({"s/a.wav", "s/B.wav", "s/b.wav", "s/c.txt", "s/d.txt"});
    // Found through either twin, both twins are the file in use.
    EXPECT_TRUE(inventory.mark_used(2));
    EXPECT_FALSE(inventory.mark_used(1));
    EXPECT_EQ(codes(inventory), (std::vector{N, U, U, N, N}));

    inventory.mark_rolling_stock_sound(0);
    inventory.mark_rolling_stock_sound(1);
    EXPECT_EQ(codes(inventory), (std::vector{UD, U, U, N, N}));
    // Used by a scenery after rolling stock: the scenery's mark wins.
    EXPECT_TRUE(inventory.mark_used(0));

    EXPECT_TRUE(inventory.mark_if_unused(3, W));
    EXPECT_FALSE(inventory.mark_if_unused(3, U));
    EXPECT_FALSE(inventory.mark_if_unused(1, W));
    EXPECT_EQ(codes(inventory), (std::vector{U, U, U, W, N}));

    EXPECT_TRUE(inventory.mark_model_read(4));
    EXPECT_FALSE(inventory.mark_model_read(4));
}

TEST(package_inventory, records_each_missing_file_once_in_lower_case_behind_the_listing) {
    PackageInventory inventory({"/m/textures/b.dds"});
    EXPECT_TRUE(inventory.record_missing("/m/Textures/Brak.DDS"));
    EXPECT_FALSE(inventory.record_missing("/M/textures/brak.dds"));
    EXPECT_TRUE(inventory.record_missing("/m/a.dds"));
    EXPECT_FALSE(inventory.mark_if_unused(1, ResultCode::W));
    ASSERT_EQ(inventory.listed_count(), 1u);
    ASSERT_EQ(inventory.missing_rows().size(), 2u);
    EXPECT_EQ(inventory.missing_rows()[0].path, "/m/textures/brak.dds");
    EXPECT_EQ(inventory.missing_rows()[0].code, ResultCode::B);
    EXPECT_EQ(inventory.missing_rows()[1].path, "/m/a.dds");
}

TEST(package_inventory, rows_beginning_with_a_prefix_lie_in_one_run) {
    const PackageInventory inventory(
        {"/s/syrena.txt", "/s/Syrena.wav", "/s/syrena2.wav", "/s/syrenb.wav", "/s/t.wav"});
    const std::tuple<const char*, std::size_t, std::size_t> cases[] = {
        {"/s/SYRENA", 0, 3}, {"/s/syrena.", 0, 2}, {"/s/syrenc", 4, 4}, {"/s/u", 5, 5}, {"", 0, 5},
    };
    for (const auto& [prefix, first, last] : cases) {
        const RowRange range = inventory.listed_with_prefix(prefix);
        EXPECT_EQ(range.first, first) << prefix;
        EXPECT_EQ(range.last, last) << prefix;
    }
}

} // namespace
} // namespace ferwis
