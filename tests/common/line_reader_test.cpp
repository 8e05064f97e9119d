#include "common/errors.h"
#include "common/line_reader.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

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

TEST(LineReader, line_ends) {
    test::TempTree tree;
    const struct {
        std::string bytes;
        Lines lines;
    } cases[] = {
        {"", {}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\nb\n", {"a\nb\n"}}, // LF alone is an ordinary character
        {"a\r\nlast", {"a", "last"}},
        {"\r\n\r\n", {"", ""}},
        {"a\r\n\nb", {"a", "\nb"}},
        {"\r", {""}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(read_all(tree, c.bytes), c.lines);
    }
}

TEST(LineReader, long_lines_and_line_ends_across_buffer_borders) {
    test::TempTree tree;
    const std::string long_line(200000, 'x');
    EXPECT_EQ(read_all(tree, long_line + "\r\nb"), (Lines{long_line, "b"}));
    // A CR as the last byte of the 64 KiB buffer and its LF as the first of the next.
    const std::string first(65535, 'y');
    EXPECT_EQ(read_all(tree, first + "\r\nz\r\n"), (Lines{first, "z"}));
}

TEST(LineReader, missing_file_throws) {
    test::TempTree tree;
    EXPECT_THROW(LineReader(tree.path("none.txt")), FileError);
}

} // namespace
} // namespace ferwis
