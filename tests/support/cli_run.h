#pragma once
// ferwis-cli run inside the test's process on a temporary tree. A test that
// includes this links ferwis_cli_lib.

#include "cli/run_cli.h"
#include "common/native_path.h"
#include "format/result_record.h"
#include "support/temp_tree.h"

#include <filesystem>
#include <sstream>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace ferwis::test {

struct CliRun {
    // program_folder ("bin/", or "" for the tree itself) is where ferwis.ini
    // and wynik.txt are looked for.
    explicit CliRun(std::string_view program_folder = "") : program_folder_(program_folder) {
        environment.paths = portable_paths(tree.path(program_folder));
        environment.input = &input;
    }
    // Writes ferwis.ini into the program folder: the main directory main (below
    // the tree), "dds", the copy/move path kopia/, then the extra lines.
    void write_ini(std::string_view main, const std::vector<std::string>& extra = {}) const {
        tree.write(program_folder_ + "ferwis.ini",
                   ini_bytes(tree.path(main), tree.path("kopia"), extra));
    }
    int run(const std::vector<std::string>& args) {
        out.str("");
        err.str("");
        return run_cli(args, out, err, environment);
    }

#ifndef _WIN32
    // Runs the command in a child process, as a new start of the program would:
    // the trash's library keeps the first home and data folders it sees for the
    // life of a process, so a test that gives each run a trash of its own runs
    // each in a child. Returns the exit status.
    int run_in_child(const std::vector<std::string>& args) {
        out.str("");
        err.str("");
        const pid_t child = ::fork();
        if (child == 0) {
            const int status = run_cli(args, out, err, environment);
            tree.write(".child-out", out.str());
            tree.write(".child-err", err.str());
            ::_exit(status);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        out << tree.read(".child-out");
        err << tree.read(".child-err");
        std::error_code ec;
        std::filesystem::remove(to_native(tree.path(".child-out")), ec);
        std::filesystem::remove(to_native(tree.path(".child-err")), ec);
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
#endif

    TempTree tree;
    CliEnvironment environment;
    std::istringstream input;
    std::ostringstream out;
    std::ostringstream err;

private:
    std::string program_folder_;
};

// ferwis.ini naming sym/ and kopia/, and a wynik.txt whose category N holds
// sym/textures/a.dds ("abc") and sym/textures/żółw.dds ("turtle", or no file).
struct CategoryInstallation : CliRun {
    explicit CategoryInstallation(bool turtle_exists) {
        make_content_folders(tree, "sym/");
        write_ini("sym");
        tree.mkdir("kopia/");
        tree.write("sym/textures/a.dds", "abc");
        if (turtle_exists) {
            tree.write(cp1250("sym/textures/żółw.dds"), "turtle");
        }
        std::string records;
        append_record(records, tree.path("sym/textures/a.dds"), "N");
        append_record(records, tree.path(cp1250("sym/textures/żółw.dds")), "N");
        tree.write("wynik.txt", records);
    }
};

} // namespace ferwis::test
