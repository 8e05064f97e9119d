#include "common/errors.h"
#include "common/line_reader.h"
#include "common/native_path.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <utility>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace ferwis {
namespace {

std::vector<std::string> read_all(const test::TempTree& tree, const std::string& bytes) {
    tree.write("f.txt", bytes);
    LineReader reader(tree.path("f.txt"));
    std::vector<std::string> lines;
    std::string line;
    while (reader.next(line)) {
        lines.push_back(line);
    }
    return lines;
}

using Lines = std::vector<std::string>;

// The same bytes handed to a reader whole, as read before.
Lines read_held(const std::string& bytes) {
    auto held = std::make_unique<char[]>(bytes.size());
    std::copy(bytes.begin(), bytes.end(), held.get());
    LineReader reader(std::move(held), bytes.size(), "f.txt");
    Lines lines;
    std::string line;
    while (reader.next(line)) {
        lines.push_back(line);
    }
    return lines;
}

TEST(LineReader, line_ends_and_long_lines_across_buffer_borders) {
    test::TempTree tree;
    const std::string long_line(200000, 'x');
    // A CR as the last byte of the 64 KiB buffer and its LF as the first of the next.
    const std::string first(65535, 'y');
    const std::pair<std::string, Lines> cases[] = {
        {"", {}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\nb\n", {"a", "b"}},
        {"a\r\nlast", {"a", "last"}},
        {"\r\n\r\n", {"", ""}},
        {"a\r\n\nb", {"a", "", "b"}},
        {"a\n\rb", {"a", "", "b"}}, // a LF then a CR are two line ends
        {"\r", {""}},
        {"\n", {""}},
        // A tree-placing tool ends comments with a LF and the next line with CR LF.
        {"// Cell 0\nnode 1000 0 none triangles d.tga\n// d\r\n",
         {"// Cell 0", "node 1000 0 none triangles d.tga", "// d"}},
        {long_line + "\r\nb", {long_line, "b"}},
        {first + "\r\nz\r\n", {first, "z"}},
        {first + "\n\nz", {first, "", "z"}},
    };
    for (const auto& [bytes, lines] : cases) {
        EXPECT_EQ(read_all(tree, bytes), lines) << bytes.substr(0, 20);
        EXPECT_EQ(read_held(bytes), lines) << bytes.substr(0, 20);
    }
}

// Short CR-ended lines between LF-ended ones, over several blocks: each line
// end is found where it is, although the reader remembers the next LF and CR
// of its block between lines. The lines are compared with a byte-by-byte split.
TEST(LineReader, short_lines_of_mixed_ends_over_several_blocks) {
    test::TempTree tree;
    std::string bytes;
    const char* const ends[] = {"\r", "\n", "\r\n", "\r", "\r"};
    for (std::size_t i = 0; bytes.size() < 300000; ++i) {
        // Runs of bare CRs (a long run before each LF) and lines of every length.
        bytes += std::string(i % 7 == 0 ? i % 301 : i % 3, static_cast<char>('a' + i % 26));
        bytes += ends[(i / 97) % 2 == 0 ? 0 : i % 5];
    }
    Lines expected(1);
    for (std::size_t b = 0; b < bytes.size(); ++b) {
        if (bytes[b] != '\r' && bytes[b] != '\n') {
            expected.back().push_back(bytes[b]);
            continue;
        }
        b += bytes[b] == '\r' && b + 1 < bytes.size() && bytes[b + 1] == '\n' ? 1u : 0u;
        expected.emplace_back();
    }
    expected.pop_back(); // the bytes end with a line end
    EXPECT_EQ(read_all(tree, bytes), expected);
}

// A file that grows after it was opened is read to its new end, through a
// block sized for the length it had.
TEST(LineReader, a_file_grown_after_opening_is_read_whole) {
    test::TempTree tree;
    tree.write("f.txt", "first\r\n");
    LineReader reader(tree.path("f.txt"));
    const std::string grown = std::string(10000, 'g') + "\r";
    std::ofstream(to_native(tree.path("f.txt")), std::ios::binary | std::ios::app)
        << grown << "\nlast";
    Lines lines;
    std::string line;
    while (reader.next(line)) {
        lines.push_back(line);
    }
    EXPECT_EQ(lines, (Lines{"first", std::string(10000, 'g'), "last"}));
}

// A line longer than the cap is refused before it is held, whatever its size
// on disk; a line of exactly the cap is read.
TEST(LineReader, a_line_over_the_cap_is_refused) {
    test::TempTree tree;
    tree.write("f.txt", "");
    const auto native = to_native(tree.path("f.txt"));
    std::filesystem::resize_file(native, kMaxLineLength);
    EXPECT_EQ(read_all(tree, std::string(kMaxLineLength, 'x')).front().size(), kMaxLineLength);

    tree.write("f.txt", "first\r\n");
    std::filesystem::resize_file(native, std::uintmax_t{1} << 32); // zero bytes, no room on disk
    LineReader reader(tree.path("f.txt"));
    std::string line;
    ASSERT_TRUE(reader.next(line));
    EXPECT_EQ(line, "first");
    EXPECT_THROW(reader.next(line), LineTooLong);
}

TEST(LineReader, what_is_not_a_regular_file_is_not_opened) {
    test::TempTree tree;
    tree.mkdir("folder");
    EXPECT_THROW(LineReader(tree.path("none.txt")), FileError);
    EXPECT_THROW(LineReader(tree.path("folder")), FileError);
#ifndef _WIN32
    // Neither waits for a writer nor reads without end.
    ASSERT_EQ(::mkfifo(to_native(tree.path("fifo")).c_str(), 0600), 0);
    EXPECT_THROW(LineReader(tree.path("fifo")), FileError);
    std::filesystem::create_symlink("/dev/zero", to_native(tree.path("zero.scn")));
    EXPECT_THROW(LineReader(tree.path("zero.scn")), FileError);
#endif
}

} // namespace
} // namespace ferwis
