// Undoing a move or delete from its journal: a move put back, one stopped by a
// kill between two files, a file whose place was taken meanwhile, a delete for
// good (nothing to undo), and a trash whose file changed there.
#include "common/catalogue.h"
#include "common/native_path.h"
#include "results/operation_journal.h"
#include "support/operation_installation.h"

#include <gtest/gtest.h>

#include <filesystem>
#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace ferwis {
namespace {

// Two files of category U below sim/, moved or deleted with a journal.
struct UndoInstallation : test::OperationInstallation {
    UndoInstallation() {
        tree.write("sim/textures/a.dds", "aaa");
        tree.write("sim/textures/b.dds", "bb");
        records_with_code({main("textures/a.dds"), main("textures/b.dds")});
    }
    OperationSummary act(Operation operation, DeleteMode mode = DeleteMode::Trash,
                         OperationObserver* observer = nullptr) {
        JournalWriter journal(journals(), {operation, ResultCode::U, mode, false});
        return execute_operation(state, {operation, ResultCode::U, mode, false}, result_path(),
                                 progress, &trash, observer, &journal);
    }
    UndoSummary undo(std::string_view id = {}) {
        return undo_operation(journals(), id, result_path(), &trash, progress);
    }
    std::string journals() const { return tree.path("dzienniki/"); }
    bool both_home() const {
        return tree.read("sim/textures/a.dds") == "aaa" && tree.read("sim/textures/b.dds") == "bb";
    }

    // A trash of a folder of its own: the place of each file is said.
    struct FolderTrash : Trash {
        fs::path folder;
        TrashOutcome move_to_trash(const fs::path& path) override {
            fs::create_directories(folder);
            fs::rename(path, folder / path.filename());
            return {true, folder / path.filename(), {}};
        }
        fs::path locate(const fs::path&, const FileIdentity&) override { return {}; }
        RestoreOutcome restore(const fs::path& place, const fs::path& original) override {
            fs::rename(place, original);
            return {true, false, {}};
        }
    } trash;
};

TEST(undo, a_move_goes_back_and_the_next_undo_finds_nothing) {
    UndoInstallation in;
    ASSERT_EQ(in.act(Operation::Move).files, 2u);
    const UndoSummary undone = in.undo();
    EXPECT_EQ(undone.restored, 2u);
    EXPECT_EQ(undone.bytes, 5u);
    EXPECT_TRUE(undone.complete());
    EXPECT_TRUE(in.both_home());
    EXPECT_FALSE(in.tree.exists("kopia/textures/a.dds"));
    EXPECT_TRUE(read_journals(in.journals()).front().undone);
    EXPECT_TRUE(in.undo().id.empty());
}

// A file that came to the original place stays, and so does the moved one.
TEST(undo, a_taken_place_is_left_and_said) {
    UndoInstallation in;
    in.act(Operation::Move);
    in.tree.write("sim/textures/a.dds", "new");
    const UndoSummary undone = in.undo();
    EXPECT_EQ(undone.restored, 1u);
    ASSERT_EQ(undone.left.size(), 1u);
    EXPECT_EQ(to_native(undone.left[0].first), to_native(in.main("textures/a.dds")));
    EXPECT_EQ(undone.left[0].second, text(Text::ReasonPlaceTaken));
    EXPECT_EQ(in.tree.read("sim/textures/a.dds"), "new");
    EXPECT_EQ(in.tree.read("kopia/textures/a.dds"), "aaa");
    EXPECT_FALSE(read_journals(in.journals()).front().undone); // it can be tried again
}

// A process killed after the first source went: the journal has no end, the
// first file comes back from the target and the second's copy goes.
TEST(undo, a_move_killed_between_two_files_is_undone_like_a_finished_one) {
#ifdef _WIN32
    GTEST_SKIP() << "the run is killed in a forked process, and Windows has no fork";
#else
    UndoInstallation in;
    struct KillAtFirst : OperationObserver {
        void file(std::string_view, std::string_view, std::uintmax_t) override { ::_exit(9); }
        void skipped(const SkippedFile&) override {}
        void already_there(std::string_view, std::string_view) override {}
    } kill;
    const pid_t child = ::fork();
    if (child == 0) {
        in.act(Operation::Move, DeleteMode::Trash, &kill);
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_EQ(WEXITSTATUS(status), 9);
    EXPECT_NE(in.tree.exists("sim/textures/a.dds"), in.tree.exists("sim/textures/b.dds"));
    const auto journals = read_journals(in.journals());
    ASSERT_EQ(journals.size(), 1u);
    EXPECT_FALSE(journals[0].ended);
    EXPECT_TRUE(in.undo().complete());
    EXPECT_TRUE(in.both_home());
    EXPECT_TRUE(fs::is_empty(to_native(in.tree.path("kopia/textures"))));
#endif
}

TEST(undo, trash_files_come_back_unless_changed_there_and_a_permanent_delete_has_none) {
    UndoInstallation in;
    in.trash.folder = to_native(in.tree.path("kosz"));
    in.act(Operation::Delete);
    in.tree.write("kosz/b.dds", "changed");
    const UndoSummary undone = in.undo();
    EXPECT_EQ(undone.restored, 1u);
    ASSERT_EQ(undone.left.size(), 1u);
    EXPECT_EQ(undone.left[0].second, text(Text::ReasonPlacedChanged));
    EXPECT_EQ(in.tree.read("sim/textures/a.dds"), "aaa");

    in.records_with_code({in.main("textures/a.dds")});
    in.act(Operation::Delete, DeleteMode::Permanent);
    const auto journals = read_journals(in.journals());
    ASSERT_EQ(journals.size(), 2u);
    EXPECT_EQ(journals[1].files.at(0).state, JournalFile::State::Gone);
    EXPECT_TRUE(in.undo(journals[1].id).permanent);
}

// A folder on the way swapped for a link to a folder outside the main
// directory: nothing is written there, each file is left with its reason.
TEST(undo, a_folder_link_swapped_in_leads_nothing_outside) {
    for (const Operation operation : {Operation::Move, Operation::Delete}) {
        UndoInstallation in;
        in.trash.folder = to_native(in.tree.path("kosz"));
        ASSERT_EQ(in.act(operation).files, 2u);
        fs::remove_all(to_native(in.tree.path("sim/textures")));
        in.tree.mkdir("poza/");
        if (!test::link_folder(in.tree.path("poza"), in.tree.path("sim/textures"))) {
            GTEST_SKIP() << test::kNoLinks;
        }
        const UndoSummary undone = in.undo();
        EXPECT_EQ(undone.restored, 0u);
        ASSERT_EQ(undone.left.size(), 2u);
        EXPECT_EQ(undone.left[0].second, text(Text::SkipOutside));
        EXPECT_TRUE(fs::is_empty(to_native(in.tree.path("poza"))));
    }
}

} // namespace
} // namespace ferwis
