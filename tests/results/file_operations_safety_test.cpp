// File operations under hostile trees: links swapped while a run goes on,
// links that lead out of the main directory or the copy path, two sources
// with one target, records that do not say what they seem to say.
#include "common/code_page.h"
#include "common/errors.h"
#include "common/native_path.h"
#include "format/result_record.h"
#include "results/file_operations.h"
#include "support/doubles.h"
#include "support/operation_installation.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace ferwis {
namespace {

using Installation = test::OperationInstallation;

// A folder link flipped back and forth between a folder inside the main
// directory and one outside while a delete goes over many records: the check
// and the act must concern the same folder.
TEST(file_operations_safety, folder_link_flipped_during_a_delete_touches_nothing_outside) {
    Installation in;
    constexpr int kFiles = 600;
    std::vector<std::string> paths;
    // One folder per file, so that every record passes the link afresh.
    for (int i = 0; i < kFiles; ++i) {
        const std::string name = "d" + std::to_string(i) + "/f.dds";
        in.tree.write("sim/inner/" + name, "in");
        in.tree.write("outside/" + name, "out");
        paths.push_back(in.main("textures/flip/" + name));
    }
    in.tree.mkdir("sim/textures/");
    in.link("sim/inner", "sim/textures/flip");
    in.records_with_code(paths);
    std::atomic<bool> done{false};
    std::thread flipper([&] {
        const fs::path at = to_native(in.tree.path("sim/textures/flip"));
        const fs::path next = to_native(in.tree.path("sim/textures/flip.next"));
        for (int i = 0; !done; ++i) {
            std::error_code ec;
            fs::remove(next, ec);
            fs::create_directory_symlink(
                to_native(in.tree.path(i % 2 == 0 ? "outside" : "sim/inner")), next, ec);
            fs::rename(next, at, ec); // an atomic swap, as an attacker would do it
        }
    });
    in.run(Operation::Delete);
    done = true;
    flipper.join();
    int left_outside = 0;
    for (int i = 0; i < kFiles; ++i) {
        left_outside += in.tree.exists("outside/d" + std::to_string(i) + "/f.dds") ? 1 : 0;
    }
    EXPECT_EQ(left_outside, kFiles);
}

// A record that names a link: delete removes the link, never its target; a
// copy or move of a link that leads out of the main directory is skipped.
TEST(file_operations_safety, record_naming_a_link_to_a_file_outside) {
    for (const Operation operation : {Operation::Copy, Operation::Move, Operation::Delete}) {
        Installation in;
        make_tree(in.tree, {{"private/key.txt", "secret"}, {"sim/models/m.t3d", "model"}});
        in.tree.mkdir("sim/textures/");
        in.link("private/key.txt", "sim/textures/x.dds");
        in.link("sim/models/m.t3d", "sim/textures/inside.dds");
        in.records_with_code({in.main("textures/x.dds"), in.main("textures/inside.dds")});
        const OperationSummary result = in.run(operation);
        EXPECT_EQ(in.tree.read("private/key.txt"), "secret");
        EXPECT_FALSE(in.tree.exists("kopia/textures/x.dds"));
        if (operation == Operation::Delete) {
            EXPECT_FALSE(fs::is_symlink(to_native(in.tree.path("sim/textures/x.dds"))));
            EXPECT_EQ(in.tree.read("sim/models/m.t3d"), "model");
        } else {
            // The link inside the main directory gives its file's bytes.
            EXPECT_EQ(in.tree.read("kopia/textures/inside.dds"), "model");
            EXPECT_EQ(result.files, 1u);
            EXPECT_EQ(result.count(SkipReason::LinkOutside), 1u);
        }
    }
}

// A folder of the copy path that is a link elsewhere is refused for the
// record; one that stays inside the copy path is followed.
TEST(file_operations_safety, target_folder_linked_out_of_the_copy_path_is_refused) {
    for (const Operation operation : {Operation::Copy, Operation::Move}) {
        Installation in;
        make_tree(in.tree, {{"sim/textures/a.dds", "new"},
                            {"sim/models/b.t3d", "model"},
                            {"elsewhere/a.dds", "private"},
                            {"kopia/real-models/", ""}});
        in.link("elsewhere", "kopia/textures");
        in.link("kopia/real-models", "kopia/models");
        in.records_with_code({in.main("textures/a.dds"), in.main("models/b.t3d")});
        const OperationSummary result = in.run(operation);
        EXPECT_EQ(in.tree.read("elsewhere/a.dds"), "private");
        EXPECT_EQ(in.tree.read("sim/textures/a.dds"), "new");
        EXPECT_EQ(in.tree.read("kopia/real-models/b.t3d"), "model");
        EXPECT_EQ(result.files, 1u);
        EXPECT_EQ(result.count(SkipReason::TargetOutside), 1u);
    }
}

// Two sources that end at one target: the second is left where it is and no
// file is lost.
TEST(file_operations_safety, two_sources_with_one_target_lose_nothing) {
    Installation in;
    make_tree(in.tree, {{"sim/textures/a.dds", "one"}, {"sim/tex2/a.dds", "two"}});
    in.tree.mkdir("kopia/textures/");
    in.link("kopia/textures", "kopia/tex2"); // as a case-insensitive target sees A.dds and a.dds
    in.records_with_code({in.main("textures/a.dds"), in.main("tex2/a.dds")});
    const OperationSummary result = in.run(Operation::Move);
    EXPECT_EQ(result.files, 1u);
    ASSERT_EQ(result.skipped.size(), 1u);
    EXPECT_EQ(result.skipped[0].reason, SkipReason::Collision);
    EXPECT_EQ(result.skipped[0].path, in.main("tex2/a.dds"));
    EXPECT_EQ(in.tree.read("kopia/textures/a.dds"), "one");
    EXPECT_EQ(in.tree.read("sim/tex2/a.dds"), "two");
    EXPECT_FALSE(in.tree.exists("sim/textures/a.dds"));
}

// A record acts on the file it names and no other: a main directory written
// in other letters is another folder on a case-sensitive disk, and a path
// that goes on after its closing quote is not a path at all.
TEST(file_operations_safety, records_that_name_another_file_are_skipped) {
    Installation in;
    make_tree(in.tree, {{"sim/textures/a.dds", "a"}, {"sim/textures/q", "q"}});
    std::string bytes;
    std::string upper = in.state.main_dir;
    upper.replace(upper.size() - 4, 3, "SIM");
    append_record(bytes, upper + "textures/a.dds", "U");
    bytes += "\"" + in.main("textures/q") + "\"uote.dds\",\"U\"\r\n";
    in.tree.write("wynik.txt", bytes);
    const OperationSummary result = in.run(Operation::Delete);
    EXPECT_EQ(result.files, 0u);
    EXPECT_EQ(in.tree.read("sim/textures/a.dds"), "a");
    EXPECT_EQ(in.tree.read("sim/textures/q"), "q");
    EXPECT_EQ(result.count(SkipReason::Outside), 1u);
    EXPECT_EQ(result.count(SkipReason::Malformed), 1u);
}

// A result writes a double quote, CR or LF of a name as "?", as it writes a
// character without a Windows-1250 form: a record with "?" may stand for a
// file with a real "?" or for its neighbour. A used x?y.dds and an unused
// x"y.dds give two records of one text: no operation acts on either, and a
// name the record cannot reach is counted, never passed over.
TEST(file_operations_safety, a_record_that_could_name_two_files_acts_on_neither) {
    for (const Operation operation : {Operation::Copy, Operation::Move, Operation::Delete}) {
        SCOPED_TRACE(static_cast<int>(operation));
        Installation in;
        make_tree(in.tree, {{"sim/textures/x?y.dds", "used"},
                            {"sim/textures/x\"y.dds", "unused"},
                            {"sim/textures/d?e/f.dds", "one"},
                            {"sim/textures/d\"e/f.dds", "two"},
                            {"sim/textures/q\"r.dds", "quote"},
                            {"sim/textures/c\rd.dds", "cr"},
                            {"sim/textures/ok.dds", "ok"}});
        const std::string textures = in.main("textures/");
        // The records as the analysis writes them for these names.
        in.records({{textures + "x?y.dds", "U"},
                    {textures + "x\"y.dds", "N"},
                    {textures + "d?e/f.dds", "N"},
                    {textures + "d\"e/f.dds", "N"},
                    {textures + "q\"r.dds", "N"},
                    {textures + "c\rd.dds", "N"},
                    {textures + "ok.dds", "N"}});
        const OperationSummary result = in.run(operation, ResultCode::N);
        EXPECT_EQ(result.files, 1u);
        EXPECT_EQ(result.count(SkipReason::ListedTwice), 1u);
        EXPECT_EQ(result.count(SkipReason::Ambiguous), 2u);
        EXPECT_EQ(result.count(SkipReason::NameWithoutForm), 2u);
        EXPECT_TRUE(result.left_a_file_behind());
        for (const char* name :
             {"x?y.dds", "x\"y.dds", "d?e/f.dds", "d\"e/f.dds", "q\"r.dds", "c\rd.dds"}) {
            EXPECT_TRUE(in.tree.exists(std::string("sim/textures/") + name)) << name;
        }
        EXPECT_EQ(in.tree.read("sim/textures/x?y.dds"), "used");
    }
}

// Asks to stop at the n-th look, as a signal arriving in the middle of a copy.
struct StopAfter : test::SilentProgress {
    explicit StopAfter(int looks) : looks_left(looks) {}
    bool close_requested() const override { return --looks_left < 0; }
    mutable int looks_left;
};

TEST(file_operations_safety, a_cancel_in_the_middle_of_a_file_leaves_no_temporary_copy) {
    for (const Operation operation : {Operation::Copy, Operation::Move}) {
        Installation in;
        const std::string big(700 * 1024, 'x'); // several pieces of a copy
        in.tree.write("sim/textures/big.dds", big);
        in.records_with_code({in.main("textures/big.dds")});
        StopAfter progress(2); // the record's look and the first piece pass
        OperationRequest request{operation, ResultCode::U, DeleteMode::Permanent, false};
        EXPECT_THROW(execute_operation(in.state, request, in.result_path(), progress),
                     OperationCancelled);
        EXPECT_EQ(in.tree.read("sim/textures/big.dds"), big);
        EXPECT_TRUE(in.tree.exists("wynik.txt"));
        int entries = 0;
        for (const auto& entry :
             fs::recursive_directory_iterator(to_native(in.tree.path("kopia")))) {
            entries += entry.is_regular_file() ? 1 : 0;
        }
        EXPECT_EQ(entries, 0);
    }
}

bool write_whole_file(const char* path, const std::string& text) {
    std::ofstream out(path);
    out << text;
    return static_cast<bool>(out.flush());
}

// Runs check in a child process alone in a user and mount namespace, with its
// own user mapped onto the namespace's root so that it owns what it writes,
// after prepare(small) mounted what the case needs. The child's status: 0
// passed, 77 nothing could be mounted here.
int in_own_mounts(const std::function<bool()>& prepare, const std::function<bool()>& check) {
    const pid_t child = fork();
    if (child == 0) {
        const std::string uid_map = "0 " + std::to_string(getuid()) + " 1";
        const std::string gid_map = "0 " + std::to_string(getgid()) + " 1";
        if (unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0 ||
            !write_whole_file("/proc/self/setgroups", "deny") ||
            !write_whole_file("/proc/self/uid_map", uid_map) ||
            !write_whole_file("/proc/self/gid_map", gid_map) ||
            mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 || !prepare()) {
            _exit(77);
        }
        _exit(check() ? 0 : 1);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status)) {
        return -1;
    }
    return WEXITSTATUS(status);
}

// A move cut short by a full disk says so, in the system's words, and how
// many files it moved before. The small disk is a tmpfs of a child process.
TEST(file_operations_safety, a_full_disk_is_reported_with_the_files_moved_before) {
    Installation in;
    in.tree.write("sim/textures/a.dds", "small");
    in.tree.write("sim/textures/big.dds", std::string(256 * 1024, 'x'));
    in.records_with_code({in.main("textures/a.dds"), in.main("textures/big.dds")});
    const std::string small = to_native(in.tree.path("kopia")).string();
    const int status = in_own_mounts(
        [&] { return mount("tmpfs", small.c_str(), "tmpfs", 0, "size=64k") == 0; },
        [&] {
            try {
                in.run(Operation::Move);
            } catch (const OperationFailure& e) {
                return std::string(e.what()).find(std::strerror(ENOSPC)) == 0 &&
                       test::contains(e.particulars(), cp1250("Przeniesiono plików: 1 (przed")) &&
                       in.tree.exists("sim/textures/big.dds") &&
                       !in.tree.exists("sim/textures/a.dds") &&
                       in.tree.read("kopia/textures/a.dds") == "small";
            }
            return false;
        });
    if (status == 77) {
        GTEST_SKIP() << "no small disk can be mounted here";
    }
    EXPECT_EQ(status, 0);
}

// A main directory that refuses the removal: the message names the file and
// the folder that refused, and a delete's says nothing of the copy path.
TEST(file_operations_safety, a_read_only_main_directory_is_named_as_the_folder_that_refused) {
    for (const Operation operation : {Operation::Move, Operation::Delete}) {
        Installation in;
        in.tree.write("sim/textures/a.dds", "a");
        in.records_with_code({in.main("textures/a.dds")});
        const std::string sim = to_native(in.tree.path("sim")).string();
        const int status = in_own_mounts(
            [&] {
                return mount(sim.c_str(), sim.c_str(), nullptr, MS_BIND, nullptr) == 0 &&
                       mount(nullptr, sim.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY,
                             nullptr) == 0;
            },
            [&] {
                try {
                    in.run(operation);
                } catch (const OperationFailure& e) {
                    const std::string said = e.particulars();
                    return test::contains(said, "Plik: " + in.main("textures/a.dds")) &&
                           test::contains(said, "Folder: " + in.main("textures/") + "\n") &&
                           test::contains(said, std::strerror(EROFS)) &&
                           !test::contains(said, in.state.copy_move_path) &&
                           in.tree.exists("sim/textures/a.dds") && in.tree.exists("wynik.txt");
                }
                return false;
            });
        if (status == 77) {
            GTEST_SKIP() << "no read-only folder can be mounted here";
        }
        EXPECT_EQ(status, 0) << static_cast<int>(operation);
    }
}

} // namespace
} // namespace ferwis
