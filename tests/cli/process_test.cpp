// ferwis-cli run as its own process. Ctrl+C or kill in the middle of a long
// run: it ends with the signal's status and leaves the previous result, its
// places, the sources and no temporary file. On a terminal, names reach it
// without their control characters: a file named with an escape sequence must
// not rewrite the screen of the person who lists it.
#include "common/native_path.h"
#include "format/result_record.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace ferwis {
namespace {

// An installation below sym/ with its ferwis.ini, and a result out/wynik.txt.
struct Installation {
    Installation() {
        test::make_content_folders(tree, "sym/");
        tree.write("ferwis.ini", test::ini_bytes(tree.path("sym"), tree.path("kopia")));
    }
    // Starts the built ferwis-cli with words after its name; in the child,
    // before it, setup() sets its standard output and error.
    static pid_t start(std::vector<std::string> words, const std::function<void()>& setup) {
        words.insert(words.begin(), FERWIS_CLI_PATH);
        std::vector<char*> argv;
        for (std::string& word : words) {
            argv.push_back(word.data());
        }
        argv.push_back(nullptr);
        const pid_t child = ::fork();
        if (child == 0) {
            setup();
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
        return child;
    }
    // Runs ferwis-cli on the installation, standard error into a pipe; sends
    // signal once ready(what it has said so far) holds, or kills it after
    // about ten seconds. Returns the exit status; -1 when ready never held.
    int run_until(const std::vector<std::string>& args, int signal,
                  const std::function<bool(const std::string&)>& ready) const {
        std::vector<std::string> words{"--config", tree.path("ferwis.ini"), "--result",
                                       tree.path("out/wynik.txt")};
        words.insert(words.end(), args.begin(), args.end());
        int error[2];
        EXPECT_EQ(::pipe(error), 0);
        const pid_t child = start(words, [&error] {
            ::dup2(::open("/dev/null", O_WRONLY), STDOUT_FILENO);
            ::dup2(error[1], STDERR_FILENO);
            ::close(error[0]);
        });
        ::close(error[1]);
        ::fcntl(error[0], F_SETFL, O_NONBLOCK);
        std::string said;
        char buffer[256];
        bool seen = false;
        for (int i = 0; i < 20000 && !(seen = ready(said)); ++i) {
            const ssize_t got = ::read(error[0], buffer, sizeof buffer);
            if (got > 0) {
                said.append(buffer, static_cast<std::size_t>(got));
            } else {
                ::usleep(500);
            }
        }
        ::kill(child, seen ? signal : SIGKILL);
        // Drained to the end, so that no write of the program waits on a full pipe.
        ::fcntl(error[0], F_SETFL, 0);
        while (::read(error[0], buffer, sizeof buffer) > 0) {
        }
        ::close(error[0]);
        int status = 0;
        EXPECT_EQ(::waitpid(child, &status, 0), child);
        return seen && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    test::TempTree tree;
};

TEST(analyze_command, a_signal_cancels_the_analysis_and_keeps_the_previous_result) {
    for (const int signal : {SIGINT, SIGTERM}) {
        Installation inst;
        inst.tree.write("sym/textures/a.dds", "x");
        inst.tree.write("sym/dynamic/en57/en57.mmd", "a: horn.wav\r\n");
        // Long enough to read that the signal comes while the scenery is read.
        std::string scenery;
        for (int i = 0; i < 1000000; ++i) {
            scenery += "node -1 0 t triangles a.dds\r\n";
        }
        inst.tree.write("sym/scenery/big.scn", scenery);
        inst.tree.write("out/wynik.txt", "\"previous\",\"U\"\r\n");
        inst.tree.write("out/wynik_zrodla.txt", "previous places");
        // The status line of the scenery phase: the run is reading.
        EXPECT_EQ(inst.run_until({"analyze", "big.scn"}, signal,
                                 [](const std::string& said) {
                                     return said.find("Czytanie scenerii") != std::string::npos;
                                 }),
                  128 + signal);
        EXPECT_EQ(inst.tree.read("out/wynik.txt"), "\"previous\",\"U\"\r\n");
        EXPECT_EQ(inst.tree.read("out/wynik_zrodla.txt"), "previous places");
        // No temporary file and no wav_dynamic.txt.
        std::set<std::string> left;
        for (const auto& entry : fs::directory_iterator(to_native(inst.tree.path("out")))) {
            left.insert(entry.path().filename().string());
        }
        EXPECT_EQ(left, (std::set<std::string>{"wynik.txt", "wynik_zrodla.txt"}));
    }
}

TEST(file_commands, a_signal_in_the_middle_of_a_copy_leaves_no_temporary_copy) {
    for (const int signal : {SIGINT, SIGTERM}) {
        Installation inst;
        // Sparse: large to copy, nothing on the disk.
        const fs::path big = to_native(inst.tree.path("sym/textures/big.dds"));
        { std::ofstream(big).flush(); }
        fs::resize_file(big, std::uintmax_t{1} << 30);
        std::string records;
        append_record(records, inst.tree.path("sym/textures/big.dds"), "U");
        inst.tree.write("out/wynik.txt", records);
        const fs::path temporary = to_native(inst.tree.path("kopia/textures/.ferwis-kopia-0.tmp"));
        EXPECT_EQ(
            inst.run_until({"move", "U", "--yes"}, signal,
                           [&temporary](const std::string&) { return fs::exists(temporary); }),
            128 + signal);
        EXPECT_FALSE(fs::exists(temporary));
        EXPECT_FALSE(inst.tree.exists("kopia/textures/big.dds"));
        EXPECT_EQ(fs::file_size(big), std::uintmax_t{1} << 30);
        EXPECT_TRUE(inst.tree.exists("out/wynik.txt"));
    }
}

const std::string kName = "a\x1b[2J\x07\x7f.dds";
const std::string kShown = "a?[2J??.dds";

// Runs the built program with standard output and error on a pseudo-terminal
// and returns what the terminal received.
std::string run_on_terminal(const std::vector<std::string>& args) {
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    EXPECT_GE(master, 0);
    EXPECT_EQ(::grantpt(master), 0);
    EXPECT_EQ(::unlockpt(master), 0);
    const std::string terminal = ::ptsname(master);
    const pid_t child = Installation::start(args, [&] {
        ::setsid();
        const int slave = ::open(terminal.c_str(), O_RDWR);
        ::dup2(slave, STDOUT_FILENO);
        ::dup2(slave, STDERR_FILENO);
        ::close(master);
    });
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
    inst.tree.write("sym/scenery/" + kName + ".scn", "");
    std::string records;
    append_record(records, inst.tree.path("sym/textures/" + kName), "N");
    inst.tree.write("wynik.txt", records);
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
