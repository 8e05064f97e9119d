#include "common/catalogue.h"
#include "common/code_page.h"
#include "common/errors.h"
#include "common/native_path.h"
#include "common/platform.h"
#include "format/result_record.h"
#include "results/file_operations.h"
#include "results/operation_preview.h"
#include "results/operation_words.h"
#include "support/doubles.h"
#include "support/operation_installation.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <tuple>

namespace fs = std::filesystem;

namespace ferwis {
namespace {

using Installation = test::OperationInstallation;

TEST(execute_operation, copy_creates_levels_and_repeats) {
    Installation in;
    make_tree(in.tree, {{"sim/textures/abc/X.dds", "new"},
                        {"sim/top.txt", "top"},
                        {"sim/sounds/b.wav", "wav"},
                        {"kopia/textures/", ""}});
    const std::string main = in.state.main_dir;
    in.records({{main + "textures\\\\abc//X.dds", "U"},
                {main + "top.txt", "u"},
                {main + "sounds/b.wav", "UD"},
                {main + "textures/gone.dds", "U"}});
    // The second run finds each file already there.
    for (const std::size_t run : {0u, 1u}) {
        const OperationSummary result = in.run(Operation::Copy);
        EXPECT_EQ(result.files, run == 0 ? 2u : 0u);
        EXPECT_EQ(result.already_there, run == 0 ? 0u : 2u);
        EXPECT_TRUE(result.skipped.empty());
    }
    EXPECT_EQ(in.tree.read("kopia/textures/abc/X.dds"), "new");
    EXPECT_EQ(in.tree.read("kopia/top.txt"), "top");
    EXPECT_FALSE(in.tree.exists("kopia/sounds"));
    EXPECT_TRUE(in.tree.exists("wynik.txt"));
}

// One buffer serves every file of a run: lengths about its size, and a short
// file after a long one, are copied whole and without the other's bytes.
TEST(execute_operation, copies_each_length_byte_for_byte) {
    Installation in;
    std::vector<std::pair<std::string, std::string>> files;
    std::vector<std::pair<std::string, std::string>> records;
    for (const std::size_t length : {std::size_t{1} << 19 | 7, std::size_t{1} << 18,
                                     (std::size_t{1} << 18) + 1, std::size_t{0}, std::size_t{3}}) {
        std::string bytes(length, '\0');
        for (std::size_t i = 0; i < length; ++i) {
            bytes[i] = static_cast<char>('a' + (i * 7 + length) % 26);
        }
        const std::string name = "textures/f" + std::to_string(length) + ".dds";
        files.emplace_back("sim/" + name, bytes);
        records.emplace_back(in.state.main_dir + name, "U");
    }
    make_tree(in.tree, files);
    in.records(records);
    EXPECT_EQ(in.run(Operation::Copy).files, files.size());
    for (const auto& [path, bytes] : files) {
        EXPECT_EQ(in.tree.read("kopia" + path.substr(3)), bytes) << path;
    }
}

// A file at the target that differs from its source (an edit made in the copy)
// is replaced only with overwrite; one with the source's bytes is already
// there, and a move then lets the source go. Lengths alike, bytes not: the
// bytes decide.
TEST(execute_operation, a_different_file_at_the_target_is_replaced_only_when_asked) {
    const struct {
        Operation operation;
        bool overwrite;
    } cases[] = {{Operation::Copy, false},
                 {Operation::Copy, true},
                 {Operation::Move, false},
                 {Operation::Move, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(static_cast<int>(c.operation)) + (c.overwrite ? "+" : ""));
        Installation in;
        make_tree(in.tree, {{"sim/textures/edited.dds", "source"},
                            {"sim/textures/same.dds", "same"},
                            {"kopia/textures/edited.dds", "edited"},
                            {"kopia/textures/same.dds", "same"}});
        in.records_with_code({in.main("textures/edited.dds"), in.main("textures/same.dds")});
        OperationRequest request{c.operation, ResultCode::U, DeleteMode::Permanent, false};
        request.overwrite = c.overwrite;
        request.dry_run = true;
        const ConfirmationFacts facts = confirmation_facts(in.state, request, in.result_path());
        EXPECT_EQ(facts.differing, c.overwrite ? 0u : 1u);
        EXPECT_EQ(facts.already_there, 1u);
        EXPECT_EQ(facts.files, c.overwrite ? 1u : 0u);
        // The preview shows both kinds, each with its target.
        const std::string listing = operation_preview(in.state, request, in.result_path()).listing;
        EXPECT_TRUE(test::contains(listing, cp1250("już jest w miejscu docelowym: ") +
                                                in.tree.path("sim/textures/same.dds") + " -> " +
                                                in.tree.path("kopia/textures/same.dds")));
        EXPECT_EQ(test::contains(listing, skip_reason_text(SkipReason::TargetDiffers)),
                  !c.overwrite);
        request.dry_run = false;
        const OperationSummary result =
            execute_operation(in.state, request, in.result_path(), in.progress);
        EXPECT_EQ(result.already_there, 1u);
        EXPECT_EQ(result.files, c.overwrite ? 1u : 0u);
        EXPECT_EQ(result.count(SkipReason::TargetDiffers), c.overwrite ? 0u : 1u);
        EXPECT_EQ(in.tree.read("kopia/textures/edited.dds"), c.overwrite ? "source" : "edited");
        EXPECT_EQ(in.tree.read("kopia/textures/same.dds"), "same");
        const bool moved = c.operation == Operation::Move;
        EXPECT_EQ(in.tree.exists("sim/textures/edited.dds"), !(moved && c.overwrite));
        EXPECT_EQ(in.tree.exists("sim/textures/same.dds"), !moved);
    }
}

// A result gone or unreadable (a folder in its place) is said so, before
// anything changes: its places stay. A category without a file to act on
// changes nothing either.
TEST(execute_operation, a_missing_result_or_an_empty_category_changes_nothing) {
    for (const Operation operation : {Operation::Copy, Operation::Move, Operation::Delete}) {
        Installation in;
        in.tree.write("sim/textures/a.dds", "a");
        in.tree.write("wynik_zrodla.txt", "places\r\n");
        EXPECT_THROW(in.run(operation), ResultUnreadable);
        in.tree.mkdir("wynik.txt/");
        EXPECT_THROW(in.run(operation), ResultUnreadable);
        fs::remove(to_native(in.tree.path("wynik.txt")));
        const OperationRequest request{operation, ResultCode::U, DeleteMode::Permanent, false};
        EXPECT_THROW(confirmation_facts(in.state, request, in.result_path()), ResultUnreadable);
        EXPECT_TRUE(in.tree.exists("wynik_zrodla.txt"));

        in.records_with_code({in.main("textures/a.dds"), in.main("textures/gone.dds")}, "N");
        EXPECT_TRUE(confirmation_facts(in.state, request, in.result_path()).nothing_to_act_on());
        const OperationSummary result = in.run(operation);
        EXPECT_TRUE(result.acted_on_nothing());
        EXPECT_FALSE(result.result_file_deleted);
        EXPECT_TRUE(in.tree.exists("wynik.txt"));
        EXPECT_TRUE(in.tree.exists("wynik_zrodla.txt"));
        EXPECT_TRUE(in.tree.exists("sim/textures/a.dds"));
    }
}

// A move pays for durability once per batch: a category larger than a batch
// moves whole, each source gone only with its copy in place.
TEST(execute_operation, a_move_of_more_files_than_a_batch_moves_them_all) {
    Installation in;
    std::vector<std::string> paths;
    for (int i = 0; i < 1100; ++i) {
        const std::string name = "textures/d" + std::to_string(i % 300) + "/" + std::to_string(i);
        in.tree.write("sim/" + name, std::to_string(i));
        paths.push_back(in.main(name));
    }
    in.records_with_code(paths);
    struct Statuses : test::SilentProgress {
        void set_status(std::string_view text) override { said.emplace_back(text); }
        std::vector<std::string> said;
    } statuses;
    const OperationRequest request{Operation::Move, ResultCode::U, DeleteMode::Permanent, false};
    const OperationSummary result =
        execute_operation(in.state, request, in.result_path(), statuses);
    EXPECT_EQ(result.files, paths.size());
    // The count of the whole, from the first file to the last, then the line is left empty.
    ASSERT_GE(statuses.said.size(), 4u);
    const std::string moving = cp1250("Trwa przenoszenie plików...");
    EXPECT_EQ(statuses.said[1], moving + " 1 / 1 100");
    EXPECT_EQ(statuses.said.rbegin()[1], moving + " 1 100 / 1 100");
    EXPECT_EQ(statuses.said.back(), "");
    for (int i = 0; i < 1100; i += 99) {
        const std::string name = "textures/d" + std::to_string(i % 300) + "/" + std::to_string(i);
        EXPECT_EQ(in.tree.read("kopia/" + name), std::to_string(i));
        EXPECT_FALSE(in.tree.exists("sim/" + name));
    }
}

TEST(execute_operation, move_and_delete_remove_read_only_files_and_the_result) {
    for (const Operation operation : {Operation::Move, Operation::Delete}) {
        Installation in;
        in.tree.write("sim/textures/ro.dds", "ro");
        fs::permissions(to_native(in.tree.path("sim/textures/ro.dds")), fs::perms::owner_read);
        in.records({{in.state.main_dir + "textures/ro.dds", "N"}});
        in.tree.write("wynik_zrodla.txt", "places of the result\r\n");
        const OperationSummary result = in.run(operation, ResultCode::N);
        EXPECT_EQ(result.files, 1u);
        EXPECT_FALSE(in.tree.exists("sim/textures/ro.dds"));
        EXPECT_EQ(in.tree.exists("kopia/textures/ro.dds"), operation == Operation::Move);
        EXPECT_TRUE(result.result_file_deleted);
        EXPECT_FALSE(in.tree.exists("wynik.txt"));
        EXPECT_FALSE(in.tree.exists("wynik_zrodla.txt")); // its places go with it
    }
}

TEST(execute_operation, missing_first_level_stops_once) {
    Installation in;
    in.state.copy_move_path =
        "/ferwis-no-such-level-" + std::to_string(platform::process_id()) + "/kopia/";
    make_tree(in.tree, {{"sim/a.dds", "a"}, {"sim/b.dds", "b"}});
    in.records({{in.state.main_dir + "a.dds", "U"}, {in.state.main_dir + "b.dds", "U"}});
    const OperationSummary result = in.run(Operation::Move);
    EXPECT_TRUE(result.stopped);
    EXPECT_TRUE(in.tree.exists("sim/a.dds"));
    EXPECT_TRUE(in.tree.exists("sim/b.dds"));
    EXPECT_TRUE(in.tree.exists("wynik.txt")); // nothing was moved: the result still holds
}

TEST(execute_operation, never_touches_files_outside_the_main_directory) {
    Installation in;
    make_tree(in.tree, {{"outside/keep.dds", "keep"}, {"sim/textures/", ""}});
    if (!test::link_folder(in.tree.path("outside"), in.tree.path("sim/textures/link"))) {
        GTEST_SKIP() << test::kNoLinks;
    }
    const std::string main = in.state.main_dir;
    for (const Operation operation : {Operation::Move, Operation::Delete}) {
        in.records({{in.tree.path("outside/keep.dds"), "N"},
                    {main + "../outside/keep.dds", "N"},
                    {main + "textures/link/keep.dds", "N"},
                    {main, "N"},
                    {main + "textures", "N"}});
        OperationRequest request{operation, ResultCode::N, DeleteMode::Permanent, false};
        EXPECT_EQ(confirmation_facts(in.state, request, in.result_path()).files, 0u);
        const OperationSummary result = in.run(operation, ResultCode::N);
        EXPECT_EQ(result.files, 0u);
        EXPECT_EQ(result.count(SkipReason::Outside), 3u);
        EXPECT_EQ(in.tree.read("outside/keep.dds"), "keep");
        EXPECT_TRUE(in.tree.exists("sim/textures"));
    }
}

TEST(execute_operation, copy_path_leading_back_to_the_file_loses_nothing) {
    Installation in;
    in.tree.write("sim/textures/a.dds", "a");
    if (!test::link_folder(in.tree.path("sim"), in.tree.path("alias"))) {
        GTEST_SKIP() << test::kNoLinks;
    }
    for (const std::string& target : {in.state.main_dir, in.tree.path("alias/")}) {
        in.state.copy_move_path = target;
        in.records({{in.state.main_dir + "textures/a.dds", "U"}});
        const OperationSummary result = in.run(Operation::Move);
        EXPECT_EQ(result.count(SkipReason::TargetTaken), 1u);
        EXPECT_EQ(in.tree.read("sim/textures/a.dds"), "a");
    }
}

// A copy/move path inside the main directory leads each target among the
// simulator's own files: one there that already exists is never replaced.
TEST(execute_operation, copy_path_inside_the_main_directory_replaces_none_of_its_files) {
    for (const Operation operation : {Operation::Copy, Operation::Move}) {
        Installation in;
        make_tree(in.tree, {{"sim/models/x.t3d", "model"}, {"sim/textures/models/x.t3d", "other"}});
        in.state.copy_move_path = in.tree.path("sim/textures/");
        in.records({{in.state.main_dir + "models/x.t3d", "U"},
                    {in.state.main_dir + "textures/models/x.t3d", "U"}});
        const OperationSummary result = in.run(operation);
        EXPECT_EQ(result.count(SkipReason::TargetTaken), 1u);
        EXPECT_EQ(in.tree.read("sim/models/x.t3d"), "model");
        EXPECT_EQ(in.tree.read("sim/textures/textures/models/x.t3d"), "other");
        EXPECT_EQ(in.tree.exists("sim/textures/models/x.t3d"), operation == Operation::Copy);
    }
}

TEST(execute_operation, failure_keeps_source_and_result_file) {
    Installation in;
    make_tree(in.tree, {{"sim/textures/a.dds", "a"}, {"kopia/textures", "a file, not a folder"}});
    in.records({{in.state.main_dir + "textures/a.dds", "U"}});
    EXPECT_THROW(in.run(Operation::Move), OperationFailure);
    EXPECT_EQ(in.tree.read("sim/textures/a.dds"), "a");
    EXPECT_TRUE(in.tree.exists("wynik.txt"));
}

// A name without a Windows-1250 form (Cyrillic; on POSIX also bytes that are no
// UTF-8) has "?" in its record, which names no file: every operation leaves
// such a file where it is and counts it with its reason, while a record with a
// "?" whose file is simply gone is passed over as before.
TEST(execute_operation, names_without_a_windows_1250_form_are_skipped_with_their_reason) {
    std::vector<fs::path> odd = {fs::path(u8"Москва")};
#ifndef _WIN32
    odd.emplace_back("\xff\xfe");
#endif
    for (const Operation operation : {Operation::Copy, Operation::Move, Operation::Delete}) {
        Installation in;
        make_tree(in.tree, {{"sim/textures/a.dds", "a"}});
        const fs::path textures = to_native(in.tree.path("sim/textures/"));
        const std::string main = in.state.main_dir;
        std::vector<std::pair<std::string, std::string>> records = {
            {main + "textures/a.dds", "U"}, {main + "textures/gone?.dds", "U"}};
        for (const fs::path& name : odd) {
            fs::create_directories(textures / name);
            std::ofstream(textures / name / "b.dds", std::ios::binary) << "b";
            fs::path file = name;
            std::ofstream(textures / file.concat(".dds"), std::ios::binary) << "c";
            const std::string text = from_native(name);
            records.push_back({main + "textures/" + text + "/b.dds", "U"});
            records.push_back({main + "textures/" + text + ".dds", "U"});
        }
        in.records(records);
        const OperationSummary result = in.run(operation);
        EXPECT_EQ(result.files, 1u);
        EXPECT_EQ(result.skipped.size(), 2 * odd.size());
        EXPECT_EQ(result.count(SkipReason::NameWithoutForm), 2 * odd.size());
        EXPECT_TRUE(test::contains(skipped_files_text(result), text(Text::SkipNameWithoutForm)));
        for (const fs::path& name : odd) {
            fs::path file = name;
            EXPECT_TRUE(fs::exists(textures / name / "b.dds"));
            EXPECT_TRUE(fs::exists(textures / file.concat(".dds")));
        }
    }
}

// The preview is a dry run: every file with its action and target, every skip
// with its reason, the totals, and the installation left as it was.
TEST(operation_preview, lists_each_file_and_skip_and_changes_nothing) {
    Installation in;
    make_tree(in.tree, {{"sim/textures/a.dds", "aaaa"}, {"sim/textures/b.dds", "bb"}});
    const std::string main = in.state.main_dir;
    in.records_with_code(
        {main + "textures/a.dds", main + "textures/b.dds", in.tree.path("elsewhere.dds")}, "N");
    const std::string result = in.tree.read("wynik.txt");
    const std::tuple<Operation, DeleteMode, const char*, bool> cases[] = {
        {Operation::Copy, DeleteMode::Trash, "kopiowanie: ", true},
        {Operation::Move, DeleteMode::Trash, "przeniesienie: ", true},
        {Operation::Delete, DeleteMode::Trash, "do kosza: ", false},
        {Operation::Delete, DeleteMode::Permanent, "usunięcie trwałe: ", false}};
    for (const auto& [operation, mode, action, target] : cases) {
        SCOPED_TRACE(action);
        const OperationRequest request{operation, ResultCode::N, mode, false};
        const OperationPreview preview = operation_preview(in.state, request, in.result_path());
        std::string line = cp1250(action) + in.tree.path("sim/textures/a.dds");
        if (target) {
            line += " -> " + in.tree.path("kopia/textures/a.dds");
        }
        EXPECT_TRUE(test::contains(preview.listing, line + "\n"));
        EXPECT_TRUE(test::contains(preview.listing,
                                   cp1250("pominięcie: ") + in.tree.path("elsewhere.dds") + " (" +
                                       skip_reason_text(SkipReason::Outside) + ")"));
        EXPECT_EQ(preview.totals, preview_totals(2, 6, 1));
        EXPECT_EQ(in.tree.read("sim/textures/a.dds"), "aaaa");
        EXPECT_FALSE(in.tree.exists("kopia/textures"));
        EXPECT_EQ(in.tree.read("wynik.txt"), result);
    }
    // Past its limit the preview counts what it leaves out; the totals count all.
    const OperationRequest request{Operation::Copy, ResultCode::N, DeleteMode::Trash, false};
    const OperationPreview cut = operation_preview(in.state, request, in.result_path(), 1);
    EXPECT_TRUE(test::contains(cut.listing, cp1250("... oraz dalsze pliki: 2")));
    EXPECT_FALSE(test::contains(cut.listing, "b.dds"));
    EXPECT_EQ(cut.totals, preview_totals(2, 6, 1));
    fs::remove(in.tree.path("wynik.txt"));
    in.tree.mkdir("wynik.txt"); // a result that cannot be read
    EXPECT_THROW(operation_preview(in.state, request, in.result_path()), ResultUnreadable);
}

} // namespace
} // namespace ferwis
