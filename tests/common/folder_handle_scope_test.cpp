#include "common/errors.h"
#include "common/file_system.h"
#include "common/folder_handle.h"
#include "common/folder_handle_scope.h"
#include "common/line_reader.h"
#include "common/native_path.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

namespace ferwis {
namespace {

std::string first_line(const std::string& path) {
    LineReader reader(path);
    std::string line;
    reader.next(line);
    return line;
}

// The innermost scope answers, with the longest of its folders that begins the
// path; a path below none of them, or no scope at all, is opened by itself.
TEST(FolderHandleScope, the_innermost_scope_and_its_longest_folder_answer) {
    test::TempTree tree;
    tree.mkdir("a/b");
    tree.mkdir("c");
    const std::string a = tree.path("a/");
    const std::string b = tree.path("a/b/");
    const std::string c = tree.path("c/");
    EXPECT_EQ(FolderHandleScope::folder_of(b + "x"), nullptr);
    {
        const FolderHandleScope outer({a, b, tree.path("gone/")});
        ASSERT_NE(FolderHandleScope::folder_of(b + "x"), nullptr);
        EXPECT_EQ(FolderHandleScope::folder_of(b + "x")->path(), b);
        EXPECT_EQ(FolderHandleScope::folder_of(a + "x")->path(), a);
        EXPECT_EQ(FolderHandleScope::folder_of(tree.path("gone/x")), nullptr);
        EXPECT_EQ(FolderHandleScope::folder_of(c + "x"), nullptr);
        {
            const FolderHandleScope inner({c});
            EXPECT_EQ(FolderHandleScope::folder_of(c + "x")->path(), c);
            EXPECT_EQ(FolderHandleScope::folder_of(b + "x"), nullptr);
        }
        EXPECT_EQ(FolderHandleScope::folder_of(b + "x")->path(), b);
    }
    EXPECT_EQ(FolderHandleScope::folder_of(b + "x"), nullptr);
}

// Below a held folder a file is reached through the folder as it was opened,
// and what cannot be read fails as when opened by its whole path.
TEST(FolderHandleScope, files_below_a_held_folder_are_read_through_it) {
    test::TempTree tree;
    tree.write("m/sub/x.txt", "held\r\n");
    tree.mkdir("m/folder");
    const FolderHandleScope held({tree.path("m/")});
    EXPECT_EQ(first_line(tree.path("m/sub/x.txt")), "held");
    for (const char* unreadable : {"m/none.txt", "m/folder"}) {
        try {
            LineReader reader(tree.path(unreadable));
            ADD_FAILURE() << unreadable << " was opened";
        } catch (const FileError& error) {
            EXPECT_EQ(error.path(), tree.path(unreadable));
        }
    }
#ifndef _WIN32
    // Another folder put in its place is not read: the held one is (on Windows
    // a held folder cannot be moved, and files are opened by their whole path).
    std::filesystem::rename(to_native(tree.path("m")), to_native(tree.path("old")));
    tree.write("m/sub/x.txt", "new\r\n");
    EXPECT_EQ(first_line(tree.path("m/sub/x.txt")), "held");
    EXPECT_EQ(open_file_for_reading(tree.path("m/sub/x.txt")).size(), 6u);
#endif
}

TEST(OpenFile, read_at_reads_from_the_offset_up_to_the_end) {
    test::TempTree tree;
    tree.write("f.bin", "0123456789");
    OpenFile file = open_file_for_reading(tree.path("f.bin"));
    const struct {
        std::uintmax_t offset;
        std::size_t size;
        std::string expected;
    } cases[] = {{0, 4, "0123"}, {6, 10, "6789"}, {9, 1, "9"}, {10, 3, ""}, {20, 3, ""}};
    for (const auto& c : cases) {
        std::string buffer(c.size, '\0');
        buffer.resize(file.read_at(c.offset, buffer.data(), buffer.size()));
        EXPECT_EQ(buffer, c.expected) << c.offset;
    }
}

// Only an entry that is not there is Missing: one the system refuses to say
// anything of may be there, and is never taken for gone.
TEST(FolderHandle, status_tells_missing_from_unreachable) {
    test::TempTree tree;
    tree.write("d/f.txt", "abc");
    const std::optional<FolderHandle> folder = FolderHandle::open(tree.path("d/"));
    ASSERT_TRUE(folder);
    const struct {
        std::string name;
        EntryKind kind;
    } cases[] = {
        {"f.txt", EntryKind::File},
        {"none.txt", EntryKind::Missing},
#ifndef _WIN32
        {"f.txt/x", EntryKind::Missing},                 // below a file
        {std::string(300, 'n'), EntryKind::Unreachable}, // a name the system cannot take
#endif
    };
    for (const auto& c : cases) {
        EXPECT_EQ(folder->status(c.name).kind, c.kind) << c.name.substr(0, 20);
    }
}

} // namespace
} // namespace ferwis
