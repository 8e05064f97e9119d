// copy, move and delete from the command line: the dry run, the statuses of a
// failed run, and delete into the freedesktop trash. When
// the trash cannot take the files (a read-only trash, a home folder that cannot
// hold one, a file in its place, a full disk) nothing moves, nothing lands
// elsewhere, the run says why and ends with status 1. A trashed file, "%" and
// Polish letters in its name, is put back by its .trashinfo as a file manager
// would.
#include "common/native_path.h"
#include "format/result_record.h"
#include "support/cli_run.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sched.h>
#include <string>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace ferwis {
namespace {

const std::string kOdd = cp1250("textures/100% żółw.dds");

// An installation below base + "sym/" whose category N holds textures/a.dds
// and kOdd, and a home folder of its own below base + "home/", so every test's
// trash is its own. Every test sets the two variables afresh, so none is put
// back.
struct TrashCli : test::CliRun {
    explicit TrashCli(const std::string& base = "") : base_(base) {}
    void install() {
        test::make_content_folders(tree, base_ + "sym/");
        write_ini(base_ + "sym");
        tree.write(base_ + "sym/textures/a.dds", "abc");
        tree.write(base_ + "sym/" + kOdd, "odd");
        std::string records;
        append_record(records, tree.path(base_ + "sym/textures/a.dds"), "N");
        append_record(records, tree.path(base_ + "sym/" + kOdd), "N");
        tree.write("wynik.txt", records);
        tree.mkdir(base_ + "home/");
        ::setenv("HOME", native("home").c_str(), 1);
        ::setenv("XDG_DATA_HOME", native("home/data").c_str(), 1);
    }
    std::string native(const std::string& relative) const {
        return to_native(tree.path(base_ + relative)).string();
    }
    // Each run in a child: the trash's library keeps the first home it sees.
    int run(const std::vector<std::string>& args) { return run_in_child(args); }
    // The run took nothing: both files where they were, the trash and the file
    // system's top without them, and the reason said.
    void expect_nothing_moved(int status) const {
        EXPECT_EQ(status, 1) << err.str();
        EXPECT_EQ(tree.read(base_ + "sym/textures/a.dds"), "abc");
        EXPECT_EQ(tree.read(base_ + "sym/" + kOdd), "odd");
        EXPECT_TRUE(test::contains(out.str(),
                                   "skipped (nie dało się przenieść do kosza, plik pozostał): 2"));
        EXPECT_TRUE(test::contains(err.str(), tree.path(base_ + "sym/textures/a.dds") + " ("));
        EXPECT_FALSE(tree.exists(base_ + "home/data/Trash/files/a.dds"));
        EXPECT_FALSE(fs::exists("/.Trash-" + std::to_string(::getuid())));
    }
    std::string base_;
};

// A mount namespace of this test program's own, so that root (whom no
// permission stops) meets a read-only or full file system. Nothing when the
// system does not allow one here.
bool own_mounts() {
    return ::unshare(CLONE_NEWNS) == 0 &&
           ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
}

bool bind_read_only(const std::string& folder) {
    return ::mount(folder.c_str(), folder.c_str(), nullptr, MS_BIND, nullptr) == 0 &&
           ::mount(nullptr, folder.c_str(), nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr) ==
               0;
}

constexpr const char* kNoMounts =
    "root writes through any permission, and no mount namespace can be made here";

std::string decoded(std::string_view text) {
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            bytes.push_back(
                static_cast<char>(std::stoi(std::string(text.substr(i + 1, 2)), nullptr, 16)));
            i += 2;
        } else {
            bytes.push_back(text[i]);
        }
    }
    return bytes;
}

TEST(trash, a_trashed_file_is_put_back_by_its_trashinfo) {
    TrashCli cli;
    cli.install();
    ASSERT_EQ(cli.run({"delete", "N", "--yes"}), 0) << cli.err.str();
    EXPECT_TRUE(test::contains(cli.out.str(), "files handled: 2"));
    EXPECT_FALSE(cli.tree.exists("sym/" + kOdd));
    EXPECT_FALSE(cli.tree.exists("wynik.txt"));
    const fs::path trash = cli.native("home/data/Trash");
    std::size_t restored = 0;
    for (const auto& entry : fs::directory_iterator(trash / "info")) {
        std::ifstream in(entry.path(), std::ios::binary);
        std::string line;
        std::string origin;
        while (std::getline(in, line)) {
            if (line.starts_with("Path=")) {
                origin = line.substr(5);
            }
        }
        // "%" itself is written encoded, so the path reads back unchanged.
        EXPECT_EQ(origin.find("100%25") != std::string::npos,
                  entry.path().filename().string().starts_with("100"))
            << origin;
        const fs::path name = entry.path().stem(); // without ".trashinfo"
        fs::rename(trash / "files" / name, decoded(origin));
        ++restored;
    }
    EXPECT_EQ(restored, 2u);
    EXPECT_EQ(cli.tree.read("sym/textures/a.dds"), "abc");
    EXPECT_EQ(cli.tree.read("sym/" + kOdd), "odd");
}

TEST(trash, a_trash_that_cannot_be_written_takes_nothing) {
    const bool root = ::geteuid() == 0;
    if (root && !own_mounts()) {
        GTEST_SKIP() << kNoMounts;
    }
    // The trash's folders read-only; a home folder where the trash cannot be made.
    for (const std::string unwritable : {"home/data/Trash", "home"}) {
        TrashCli cli;
        cli.install();
        cli.tree.mkdir("home/data/Trash/files/");
        cli.tree.mkdir("home/data/Trash/info/");
        if (unwritable == "home") {
            fs::remove_all(cli.native("home/data"));
        }
        const std::string folder = cli.native(unwritable);
        std::error_code ec;
        if (root) {
            ASSERT_TRUE(bind_read_only(folder)) << folder;
        } else {
            for (const std::string sub : {"", "/files", "/info"}) {
                fs::permissions(folder + sub, fs::perms::owner_read | fs::perms::owner_exec, ec);
            }
        }
        cli.expect_nothing_moved(cli.run({"delete", "N", "--yes"}));
        if (root) {
            ::umount(folder.c_str());
        } else {
            for (const std::string sub : {"", "/files", "/info"}) {
                fs::permissions(folder + sub, fs::perms::owner_all, ec);
            }
        }
    }
}

TEST(trash, a_file_where_the_trash_should_be_takes_nothing) {
    TrashCli cli;
    cli.install();
    cli.tree.write("home/data/Trash", "a file where the trash folder should be");
    cli.expect_nothing_moved(cli.run({"delete", "N", "--yes"}));
    // Nothing is left behind where Qt put the file by mistake.
    EXPECT_FALSE(fs::exists(fs::current_path() / "info" / "a.dds.trashinfo"));
}

// A full disk: the trash may make its entry and still fail to write where the
// file came from; such a file is put back, so none sits in the trash that the
// file manager cannot restore.
TEST(trash, a_full_disk_takes_nothing_into_the_trash) {
    if (::geteuid() != 0 || !own_mounts()) {
        GTEST_SKIP() << "a full file system needs a small one mounted for the test, which "
                        "only root may do";
    }
    TrashCli cli("vol/");
    cli.tree.mkdir("vol/");
    const std::string volume = to_native(cli.tree.path("vol")).string();
    ASSERT_EQ(::mount("tmpfs", volume.c_str(), "tmpfs", 0, "size=1m"), 0);
    cli.install();
    cli.tree.mkdir("vol/home/data/Trash/files/");
    cli.tree.mkdir("vol/home/data/Trash/info/");
    {
        std::ofstream fill(to_native(cli.tree.path("vol/fill")), std::ios::binary);
        const std::string block(4096, 'x');
        while (fill.write(block.data(), static_cast<std::streamsize>(block.size())) &&
               fill.flush()) {
        }
    }
    cli.expect_nothing_moved(cli.run({"delete", "N", "--yes"}));
    EXPECT_TRUE(fs::is_empty(cli.native("home/data/Trash/info")));
    EXPECT_TRUE(fs::is_empty(cli.native("home/data/Trash/files")));
    ::umount(volume.c_str());
}

TEST(file_commands, dry_run_tells_and_changes_nothing) {
    TrashCli cli;
    cli.install();
    cli.tree.write("sym/textures/b.dds", "b");
    std::string records = cli.tree.read("wynik.txt");
    append_record(records, cli.tree.path("sym/textures/b.dds"), "N");
    append_record(records, cli.tree.path("elsewhere/x.dds"), "N");
    cli.tree.write("wynik.txt", records);
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"copy", "--dry-run", "N"},
         "copy " + cli.tree.path("sym/textures/a.dds") + " -> " +
             cli.tree.path("kopia/textures/a.dds")},
        {{"move", "N", "--dry-run"}, "move " + cli.tree.path("sym/textures/a.dds")},
        {{"delete", "--permanent", "--dry-run", "N"},
         "delete " + cli.tree.path("sym/textures/a.dds")},
        {{"delete", "--dry-run", "--yes", "N"}, "trash " + cli.tree.path("sym/textures/a.dds")},
    };
    for (const auto& [args, first_line] : cases) {
        EXPECT_EQ(cli.run(args), 0) << args.front() << cli.err.str();
        const std::string out = cli.out.str();
        EXPECT_EQ(out.rfind(first_line, 0), 0u) << out;
        EXPECT_TRUE(test::contains(
            out, "skip " + cli.tree.path("elsewhere/x.dds") +
                     " (poza katalogiem głównym symulatora lub z \"..\" w ścieżce)"));
        EXPECT_TRUE(test::contains(out, "files to handle: 3\nbytes: 7\n"));
        // That a dry run changes nothing is the preview's case in the core.
        EXPECT_EQ(cli.tree.read("sym/textures/a.dds"), "abc");
    }
    // The options are the category's: each at most once, and --permanent only for delete.
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"copy", "N", "--permanent"},
          {"move", "N", "U", "--dry-run"},
          {"delete", "--dry-run"},
          {"delete", "N", "--fast"}}) {
        EXPECT_EQ(cli.run(args), 2) << args.back();
    }
}

// A result or its places that is a FIFO or leads to a device is refused by
// every reader at once: no wait on a writer that never comes, no read without end.
TEST(file_commands, readers_of_the_result_take_regular_files_only) {
    for (const char* odd : {"wynik.txt", "wynik_zrodla.txt"}) {
        for (const bool fifo : {true, false}) {
            TrashCli cli;
            cli.install();
            const std::string at = cli.native(odd);
            fs::remove(at);
            if (fifo) {
                ASSERT_EQ(::mkfifo(at.c_str(), 0600), 0);
            } else {
                fs::create_symlink("/dev/zero", at);
            }
            const bool result = std::string(odd) == "wynik.txt";
            EXPECT_EQ(cli.run({"why", cli.tree.path("sym/textures/a.dds")}), result ? 1 : 2);
            EXPECT_EQ(cli.run({"show", "N"}), result ? 1 : 0);
            EXPECT_EQ(cli.run({"copy", "N"}), result ? 1 : 0);
        }
    }
}

// undo after each way a category leaves, as a person would run it: the files
// come back (from the trash with their .trashinfo gone) unless their place was
// taken; a delete for good has nothing to undo; each says why.
TEST(file_commands, undo_puts_back_what_it_can_and_says_why_not) {
    const struct {
        std::vector<std::string> act;
        bool place_taken;
        int status;
        const char* said;
    } cases[] = {
        {{"delete", "N", "--yes"}, false, 0, "Przywrócono plików: 2 (6 B), pominięto: 0."},
        {{"move", "N", "--yes"}, false, 0, "Przywrócono plików: 2 (6 B), pominięto: 0."},
        {{"delete", "N", "--yes", "--permanent"}, false, 1, "nie ma czego cofnąć"},
        {{"delete", "N", "--yes"}, true, 1, "a.dds (w jego pierwotnym miejscu leży inny plik)"},
    };
    for (const auto& c : cases) {
        TrashCli cli;
        cli.install();
        cli.tree.mkdir("kopia/");
        ASSERT_EQ(cli.run(c.act), 0) << cli.err.str();
        EXPECT_EQ(cli.run({"undo", "--list"}), 0);
        EXPECT_TRUE(test::contains(cli.out.str(), "\tN\t2\t6\tended\n")) << cli.out.str();
        if (c.place_taken) {
            cli.tree.write("sym/textures/a.dds", "new");
        }
        EXPECT_EQ(cli.run({"undo"}), c.status) << c.act[0];
        EXPECT_TRUE(test::contains(cli.err.str(), c.said)) << cli.err.str();
        if (c.status == 0) {
            EXPECT_EQ(cli.tree.read("sym/textures/a.dds"), "abc");
            EXPECT_EQ(cli.tree.read("sym/" + kOdd), "odd");
            EXPECT_TRUE(test::contains(cli.err.str(), "Przeprowadź analizę ponownie."));
            EXPECT_FALSE(cli.tree.exists("home/data/Trash/info/a.dds.trashinfo"));
        }
    }
}

} // namespace
} // namespace ferwis
