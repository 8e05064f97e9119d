#pragma once
// Builds throw-away file trees for tests. Paths and contents are Windows-1250
// bytes, as the program keeps them; cp1250() turns readable UTF-8 literals into them.

#include "common/code_page.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace ferwis::test {

// Returns text with every "/" turned into the platform's separator: tests write
// their paths with "/" and compare them with what the program composes.
std::string separated(std::string_view text);
// The reverse: the platform's separators of a composed path as "/".
std::string portable(std::string_view path);

class TempTree {
public:
    // Creates an empty temporary folder; removed with its contents on destruction.
    TempTree();
    ~TempTree();
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    // The folder, ending with the separator, as Windows-1250 text.
    const std::string& root() const { return root_; }
    // root() + relative, whose "/" become the platform's separator.
    std::string path(std::string_view relative) const { return root_ + separated(relative); }

    // Writes a file (creating its folders); relative uses "/".
    void write(std::string_view relative, std::string_view bytes) const;
    // Creates a folder and its parents.
    void mkdir(std::string_view relative) const;
    std::string read(std::string_view relative) const;
    bool exists(std::string_view relative) const;

private:
    std::string root_;
};

// Makes link a link to the folder target (both Windows-1250 paths). Returns
// false when the runtime cannot make one: the MinGW runtime on Windows cannot,
// and the tests that need a link then say so and step aside.
bool link_folder(const std::string& target, const std::string& link);
inline constexpr const char* kNoLinks = "the runtime cannot create a link to a folder here";

// Returns an absolute path of the platform for a POSIX-style one: "/sim/a"
// stays so on POSIX and becomes "C:\sim\a" on Windows.
std::string absolute(std::string_view posix_path);

// Builds a tree from (relative path, content) pairs, then from the paths of
// alike, each holding alike_content; a path ending in "/" is a folder.
void make_tree(const TempTree& tree,
               const std::vector<std::pair<std::string, std::string>>& entries,
               const std::vector<std::string>& alike = {}, const std::string& alike_content = "");

// Returns the bytes of a file (empty when it cannot be read).
std::string read_file(const std::filesystem::path& file);

// Whether text holds part; a failure shows both.
testing::AssertionResult contains(std::string_view text, std::string_view part);

// Joins lines with CR LF after each.
std::string crlf(const std::vector<std::string>& lines);

// Makes the five folders a main directory must hold below main ("sym/").
void make_content_folders(const TempTree& tree, std::string_view main);

// The bytes of a ferwis.ini naming the main directory, "dds" and the copy/move
// path, then the extra lines.
std::string ini_bytes(std::string_view main_dir, std::string_view copy_path,
                      const std::vector<std::string>& extra = {});

} // namespace ferwis::test
