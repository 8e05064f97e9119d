// Ctrl+C or kill during an analysis: ferwis-cli ends with the signal's status
// and leaves the previous result, its places and nothing else.
#include "common/native_path.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <set>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace ferwis {
namespace {

TEST(analyze_command, a_signal_cancels_the_analysis_and_keeps_the_previous_result) {
    for (const int signal : {SIGINT, SIGTERM}) {
        test::TempTree tree;
        test::make_content_folders(tree, "sym/");
        tree.write("ferwis.ini", test::ini_bytes(tree.path("sym"), tree.path("kopia")));
        tree.write("sym/textures/a.dds", "x");
        tree.write("sym/dynamic/en57/en57.mmd", "a: horn.wav\r\n");
        // Long enough to read that the signal comes while the scenery is read.
        std::string scenery;
        for (int i = 0; i < 1000000; ++i) {
            scenery += "node -1 0 t triangles a.dds\r\n";
        }
        tree.write("sym/scenery/big.scn", scenery);
        tree.write("out/wynik.txt", "\"previous\",\"U\"\r\n");
        tree.write("out/wynik_zrodla.txt", "previous places");
        const std::string config = to_native(tree.path("ferwis.ini")).string();
        const std::string result = to_native(tree.path("out/wynik.txt")).string();

        int error[2];
        ASSERT_EQ(::pipe(error), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::dup2(error[1], STDERR_FILENO);
            ::close(error[0]);
            ::execl(FERWIS_CLI_PATH, FERWIS_CLI_PATH, "--config", config.c_str(), "--result",
                    result.c_str(), "analyze", "big.scn", static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(error[1]);
        // The status line of the scenery phase: the run is reading.
        std::string said;
        char buffer[256];
        ssize_t got = 0;
        while (said.find("Czytanie scenerii") == std::string::npos &&
               (got = ::read(error[0], buffer, sizeof buffer)) > 0) {
            said.append(buffer, static_cast<std::size_t>(got));
        }
        ::kill(child, signal);
        while (::read(error[0], buffer, sizeof buffer) > 0) {
        }
        ::close(error[0]);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status)) << signal;
        EXPECT_EQ(WEXITSTATUS(status), 128 + signal);
        EXPECT_EQ(tree.read("out/wynik.txt"), "\"previous\",\"U\"\r\n");
        EXPECT_EQ(tree.read("out/wynik_zrodla.txt"), "previous places");
        // No temporary file and no wav_dynamic.txt.
        std::set<std::string> left;
        for (const auto& entry : fs::directory_iterator(to_native(tree.path("out")))) {
            left.insert(entry.path().filename().string());
        }
        EXPECT_EQ(left, (std::set<std::string>{"wynik.txt", "wynik_zrodla.txt"}));
    }
}

} // namespace
} // namespace ferwis
