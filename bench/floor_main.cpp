// ferwis-floor: the least any program must do for the analysis of a generated
// installation, as fast as the machine allows, for the benchmark to set the
// analysis against. It lists the five content folders and dynamic/ on as many
// threads as the analysis lists with, taking only what each listing gives (the
// entry's type, no status call), then reads the files the analysis reads: the
// text ones whole, the binary models window by window up to the one holding
// their texture list, as the analysis scans them. A measuring tool, POSIX only.
//
//   ferwis-floor MAIN_DIR READ_TEXT_LIST READ_BINARY_LIST
//
// The lists are the generator's read-text.txt and read-binary.txt (native
// paths, one a line). Prints what it listed and read, for a check by eye.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace {

// As the analysis lists: three threads, the content folders largest first,
// dynamic/ second (the analysis reads its definition files beside that
// listing). The files are read on as many, one more than the analysis reads
// with: the floor is the lower for it.
constexpr unsigned kThreads = 3;
constexpr std::array<const char*, 6> kFolders = {"textures", "dynamic", "inne",
                                                 "sounds",   "models",  "scenery"};
// The analysis scans a binary model in windows of this many bytes (kBinaryModelWindow).
constexpr std::size_t kWindow = 20000;

struct Counts {
    std::uint64_t files = 0;
    std::uint64_t bytes = 0;
};

// Lists the folder open at fd (which it closes) and every folder below it,
// depth first, each relative to its parent's handle.
void list_tree(int fd, Counts& counts) {
    DIR* dir = fdopendir(fd);
    if (dir == nullptr) {
        close(fd);
        return;
    }
    std::vector<std::string> folders;
    while (const dirent* entry = readdir(dir)) {
        const char* name = entry->d_name;
        if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'))) {
            continue;
        }
        unsigned char type = entry->d_type;
        if (type == DT_UNKNOWN) {
            // Some file systems leave the type out: only then is a status asked.
            struct stat status {};
            if (fstatat(dirfd(dir), name, &status, AT_SYMLINK_NOFOLLOW) == 0) {
                type = S_ISDIR(status.st_mode) ? DT_DIR : DT_REG;
            }
        }
        if (type == DT_DIR) {
            folders.emplace_back(name);
        } else {
            ++counts.files;
        }
    }
    for (const std::string& name : folders) {
        const int child = openat(dirfd(dir), name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (child >= 0) {
            list_tree(child, counts);
        }
    }
    closedir(dir);
}

// Whether the window holds "tex0" in any case: found through its rarer '0'.
bool holds_texture_tag(std::string_view window) {
    for (std::size_t at = window.find('0', 3); at != std::string_view::npos;
         at = window.find('0', at + 1)) {
        const auto lower = [&](std::size_t i) {
            return static_cast<char>(std::tolower(static_cast<unsigned char>(window[i])));
        };
        if (lower(at - 3) == 't' && lower(at - 2) == 'e' && lower(at - 1) == 'x') {
            return true;
        }
    }
    return false;
}

// Reads the file whole (binary false) or window by window up to the window
// holding its texture tag (binary true).
void read_file(const std::string& path, bool binary, char* buffer, std::size_t size,
               Counts& counts) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        std::cerr << "ferwis-floor: cannot open " << path << '\n';
        return;
    }
    ++counts.files;
    const std::size_t chunk = binary ? kWindow : size;
    for (ssize_t got = 0; (got = read(fd, buffer, chunk)) > 0;) {
        counts.bytes += static_cast<std::uint64_t>(got);
        if (binary && holds_texture_tag(std::string_view(buffer, static_cast<std::size_t>(got)))) {
            break;
        }
    }
    close(fd);
}

std::vector<std::string> read_list(const char* path) {
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty()) {
            lines.push_back(std::move(line));
        }
    }
    return lines;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: ferwis-floor MAIN_DIR READ_TEXT_LIST READ_BINARY_LIST\n";
        return 2;
    }
    const std::string main_dir = argv[1];
    const std::vector<std::string> text = read_list(argv[2]);
    const std::vector<std::string> binary = read_list(argv[3]);

    // One queue of work for both threads: the listings, then the files.
    const std::size_t work = kFolders.size() + text.size() + binary.size();
    std::atomic<std::size_t> next{0};
    std::array<Counts, kThreads> listed{};
    std::array<Counts, kThreads> read{};
    const auto run = [&](unsigned thread) {
        constexpr std::size_t kBuffer = std::size_t{1} << 20;
        const std::unique_ptr<char[]> buffer(new char[kBuffer]);
        for (std::size_t n = next++; n < work; n = next++) {
            if (n < kFolders.size()) {
                const std::string root = main_dir + "/" + kFolders[n];
                const int fd = open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
                if (fd >= 0) {
                    list_tree(fd, listed[thread]);
                }
            } else if (n -= kFolders.size(); n < text.size()) {
                read_file(text[n], false, buffer.get(), kBuffer, read[thread]);
            } else {
                read_file(binary[n - text.size()], true, buffer.get(), kBuffer, read[thread]);
            }
        }
    };
    std::vector<std::jthread> helpers;
    for (unsigned t = 1; t < kThreads; ++t) {
        helpers.emplace_back(run, t);
    }
    run(0);
    helpers.clear();

    Counts total_listed;
    Counts total_read;
    for (unsigned t = 0; t < kThreads; ++t) {
        total_listed.files += listed[t].files;
        total_read.files += read[t].files;
        total_read.bytes += read[t].bytes;
    }
    std::cout << "listed " << total_listed.files << " files, read " << total_read.files
              << " files, " << total_read.bytes << " bytes\n";
    return 0;
}
