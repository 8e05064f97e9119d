// Names reach the terminal without their control characters: a file named with
// an escape sequence must not rewrite the screen of the person who lists it.
#include "format/result_record.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace ferwis {
namespace {

const std::string kName = "a\x1b[2J\x07\x7f.dds";
const std::string kShown = "a?[2J??.dds";

struct Installation {
    Installation() {
        test::make_content_folders(tree, "sym/");
        tree.write("sym/scenery/" + kName + ".scn", "");
        tree.write("ferwis.ini", test::ini_bytes(tree.path("sym"), tree.path("kopia")));
        std::string records;
        append_record(records, tree.path("sym/textures/" + kName), "N");
        tree.write("wynik.txt", records);
    }
    test::TempTree tree;
};

// Runs the built program with standard output and error on a pseudo-terminal
// and returns what the terminal received.
std::string run_on_terminal(const std::vector<std::string>& args) {
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    EXPECT_GE(master, 0);
    EXPECT_EQ(::grantpt(master), 0);
    EXPECT_EQ(::unlockpt(master), 0);
    const std::string terminal = ::ptsname(master);
    std::vector<std::string> words{FERWIS_CLI_PATH};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        ::setsid();
        const int slave = ::open(terminal.c_str(), O_RDWR);
        ::dup2(slave, STDOUT_FILENO);
        ::dup2(slave, STDERR_FILENO);
        ::close(master);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    std::string received;
    char buffer[4096];
    ssize_t got = 0;
    // The read fails with EIO once the program has ended and closed the terminal.
    while ((got = ::read(master, buffer, sizeof buffer)) > 0 || (got < 0 && errno == EINTR)) {
        received.append(buffer, static_cast<std::size_t>(got > 0 ? got : 0));
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ::close(master);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << received;
    return received;
}

TEST(terminal_output, the_program_finds_its_terminal) {
    Installation inst;
    const std::string shown =
        run_on_terminal({"--result", inst.tree.path("wynik.txt"), "show", "N"}) +
        run_on_terminal({"--config", inst.tree.path("ferwis.ini"), "--result",
                         inst.tree.path("wynik2.txt"), "analyze", "--all"});
    EXPECT_FALSE(test::contains(shown, "\x1b"));
    EXPECT_TRUE(test::contains(shown, inst.tree.path("sym/textures/" + kShown)));
    EXPECT_TRUE(test::contains(shown, inst.tree.path("sym/scenery/" + kShown + ".scn")));
}

} // namespace
} // namespace ferwis
