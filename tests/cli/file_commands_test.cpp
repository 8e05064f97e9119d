// copy, move and delete from the command line: the trash, the dry run, the
// statuses of a failed and of a cancelled run.
#include "common/native_path.h"
#include "format/result_record.h"
#include "support/cli_run.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>

namespace fs = std::filesystem;

namespace ferwis {
namespace {

// An installation whose category N holds two files (one with a Polish name),
// and a home folder of its own, so the trash is the test's. Every test of this
// program sets the two variables afresh, so none is put back.
struct Cli : test::CategoryInstallation {
    Cli() : CategoryInstallation(true) {
        ::setenv("HOME", native("home").c_str(), 1);
        ::setenv("XDG_DATA_HOME", native("home/data").c_str(), 1); // the run makes it
        tree.mkdir("home/");
    }
    std::string native(const std::string& relative) const {
        return to_native(tree.path(relative)).string();
    }
    // Each run in a child: the trash's library keeps the first home it sees.
    int run(const std::vector<std::string>& args) { return run_in_child(args); }
};

TEST(file_commands, delete_puts_the_files_into_the_trash) {
    Cli cli;
    EXPECT_EQ(cli.run({"delete", "N", "--yes"}), 0) << cli.err.str();
    EXPECT_TRUE(test::contains(cli.out.str(), "files handled: 2"));
    EXPECT_FALSE(cli.tree.exists("sym/textures/a.dds"));
    EXPECT_FALSE(cli.tree.exists(cp1250("sym/textures/żółw.dds")));
    EXPECT_EQ(cli.tree.read("home/data/Trash/files/a.dds"), "abc");
    EXPECT_EQ(cli.tree.read(cp1250("home/data/Trash/files/żółw.dds")), "turtle");
    const std::string info = cli.tree.read("home/data/Trash/info/a.dds.trashinfo");
    EXPECT_TRUE(test::contains(info, "Path=" + cli.native("sym/textures/a.dds")));
    EXPECT_FALSE(cli.tree.exists("wynik.txt"));
}

// A trash that cannot be made: the file stays where it was, is named, and the
// run says it did not do everything.
TEST(file_commands, a_file_the_trash_does_not_take_stays) {
    Cli cli;
    cli.tree.write("home/data/Trash", "a file where the trash folder should be");
    EXPECT_EQ(cli.run({"delete", "N", "--yes"}), 1);
    EXPECT_EQ(cli.tree.read("sym/textures/a.dds"), "abc");
    EXPECT_TRUE(test::contains(cli.out.str(),
                               "skipped (nie dało się przenieść do kosza, plik pozostał): 2"));
    EXPECT_TRUE(test::contains(cli.err.str(), cli.tree.path("sym/textures/a.dds")));
    // Nothing is left behind where Qt put the file by mistake.
    EXPECT_FALSE(fs::exists(fs::current_path() / "info" / "a.dds.trashinfo"));
}

TEST(file_commands, dry_run_tells_and_changes_nothing) {
    Cli cli;
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
        EXPECT_TRUE(test::contains(out, "files to handle: 3\nbytes: 10\n"));
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
            Cli cli;
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

// Ctrl+C or kill in the middle of a large copy: ferwis-cli ends with the
// signal's status, the temporary copy is gone, and the source stays.
TEST(file_commands, a_signal_in_the_middle_of_a_copy_leaves_no_temporary_copy) {
    for (const int signal : {SIGINT, SIGTERM}) {
        Cli cli;
        // Sparse: large to copy, nothing on the disk.
        const fs::path big = to_native(cli.tree.path("sym/textures/big.dds"));
        { std::ofstream(big).flush(); }
        fs::resize_file(big, std::uintmax_t{1} << 30);
        std::string records;
        append_record(records, cli.tree.path("sym/textures/big.dds"), "U");
        cli.tree.write("wynik.txt", records);
        const fs::path temporary = to_native(cli.tree.path("kopia/textures/.ferwis-kopia-0.tmp"));
        const std::string config = cli.native("ferwis.ini");
        const std::string result = cli.native("wynik.txt");
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            const int null = ::open("/dev/null", O_WRONLY);
            dup2(null, STDOUT_FILENO);
            dup2(null, STDERR_FILENO);
            execl(FERWIS_CLI_PATH, FERWIS_CLI_PATH, "--config", config.c_str(), "--result",
                  result.c_str(), "move", "U", "--yes", static_cast<char*>(nullptr));
            _exit(127);
        }
        bool seen = false;
        for (int i = 0; i < 20000 && !seen; ++i) {
            seen = fs::exists(temporary);
            if (!seen) {
                usleep(500);
            }
        }
        kill(child, seen ? signal : SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(seen) << "the copy never began";
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 128 + signal);
        EXPECT_FALSE(fs::exists(temporary));
        EXPECT_FALSE(cli.tree.exists("kopia/textures/big.dds"));
        EXPECT_EQ(fs::file_size(big), std::uintmax_t{1} << 30);
        EXPECT_TRUE(cli.tree.exists("wynik.txt"));
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
        {{"delete", "N", "--yes"}, false, 0, "Przywrócono plików: 2 (9 B), pominięto: 0."},
        {{"move", "N", "--yes"}, false, 0, "Przywrócono plików: 2 (9 B), pominięto: 0."},
        {{"delete", "N", "--yes", "--permanent"}, false, 1, "nie ma czego cofnąć"},
        {{"delete", "N", "--yes"}, true, 1, "a.dds (w jego pierwotnym miejscu leży inny plik)"},
    };
    for (const auto& c : cases) {
        Cli cli;
        ASSERT_EQ(cli.run(c.act), 0) << cli.err.str();
        EXPECT_EQ(cli.run({"undo", "--list"}), 0);
        EXPECT_TRUE(test::contains(cli.out.str(), "\tN\t2\t9\tended\n")) << cli.out.str();
        if (c.place_taken) {
            cli.tree.write("sym/textures/a.dds", "new");
        }
        EXPECT_EQ(cli.run({"undo"}), c.status) << c.act[0];
        EXPECT_TRUE(test::contains(cli.err.str(), c.said)) << cli.err.str();
        if (c.status == 0) {
            EXPECT_EQ(cli.tree.read("sym/textures/a.dds"), "abc");
            EXPECT_EQ(cli.tree.read(cp1250("sym/textures/żółw.dds")), "turtle");
            EXPECT_TRUE(test::contains(cli.err.str(), "Przeprowadź analizę ponownie."));
            EXPECT_FALSE(cli.tree.exists("home/data/Trash/info/a.dds.trashinfo"));
        }
    }
}

} // namespace
} // namespace ferwis
