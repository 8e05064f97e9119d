#include "support/temp_tree.h"

#include "common/native_path.h"
#include "common/platform.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace ferwis::test {

TempTree::TempTree() {
    static std::atomic<int> counter{0};
    const fs::path dir =
        fs::temp_directory_path() /
        ("ferwis-test-" + std::to_string(platform::process_id()) + "-" + std::to_string(counter++));
    fs::remove_all(dir);
    fs::create_directories(dir);
    root_ = from_native(dir) + kSeparator;
}

TempTree::~TempTree() {
    std::error_code ec;
    // Read-only files must not keep the tree alive.
    for (auto it = fs::recursive_directory_iterator(to_native(root_), ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    }
    fs::remove_all(to_native(root_), ec);
}

void TempTree::write(std::string_view relative, std::string_view bytes) const {
    const fs::path file = to_native(path(relative));
    fs::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write test file " + file.string());
    }
}

void TempTree::mkdir(std::string_view relative) const {
    fs::create_directories(to_native(path(relative)));
}

std::string TempTree::read(std::string_view relative) const {
    return read_file(to_native(path(relative)));
}

std::string read_file(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

bool TempTree::exists(std::string_view relative) const {
    std::error_code ec;
    return fs::exists(to_native(path(relative)), ec);
}

void make_tree(const TempTree& tree,
               const std::vector<std::pair<std::string, std::string>>& entries,
               const std::vector<std::string>& alike, const std::string& alike_content) {
    const auto make = [&](const std::string& relative, const std::string& content) {
        if (!relative.empty() && relative.back() == '/') {
            tree.mkdir(relative);
        } else {
            tree.write(relative, content);
        }
    };
    for (const auto& [relative, content] : entries) {
        make(relative, content);
    }
    for (const std::string& relative : alike) {
        make(relative, alike_content);
    }
}

std::string separated(std::string_view text) {
    std::string out(text);
    std::replace(out.begin(), out.end(), '/', kSeparator);
    return out;
}

std::string portable(std::string_view path) {
    std::string out(path);
    std::replace(out.begin(), out.end(), kSeparator, '/');
    return out;
}

bool link_folder(const std::string& target, const std::string& link) {
    std::error_code ec;
    fs::create_directory_symlink(to_native(target), to_native(link), ec);
    return !ec;
}

std::string absolute(std::string_view posix_path) {
#ifdef _WIN32
    return "C:" + separated(posix_path);
#else
    return std::string(posix_path);
#endif
}

testing::AssertionResult contains(std::string_view text, std::string_view part) {
    if (text.find(part) != std::string_view::npos) {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure() << '"' << part << "\" not in \"" << text << '"';
}

std::string crlf(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& line : lines) {
        out += line;
        out += "\r\n";
    }
    return out;
}

void make_content_folders(const TempTree& tree, std::string_view main) {
    for (const char* sub : {"scenery/", "models/", "sounds/", "textures/", "dynamic/"}) {
        tree.mkdir(std::string(main) + sub);
    }
}

std::string ini_bytes(std::string_view main_dir, std::string_view copy_path,
                      const std::vector<std::string>& extra) {
    std::vector<std::string> lines = {"[sciezka_dostepu]",
                                      std::string(main_dir),
                                      "[domyslne_rozszerzenie]",
                                      "dds",
                                      "[sciezka_kopiowania_przesuwania]",
                                      std::string(copy_path)};
    lines.insert(lines.end(), extra.begin(), extra.end());
    return crlf(lines);
}

} // namespace ferwis::test
