#include "analysis/inventory/wypisz_wszystkie_pliki.h"

#include "analysis/inventory/walk_folder_tree.h"
#include "common/catalogue.h"
#include "common/file_system.h"
#include "common/native_path.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <exception>
#include <string_view>
#include <system_error>
#include <thread>

namespace ferwis {
namespace {

// The folders are listed on this many threads at once. Listing mostly waits for
// the system, and from a cold cache for the disk, which serves more reads
// at a time than two.
constexpr std::size_t kListingThreads = 3;

// The files of one content folder as walked, the order of their paths, and
// the native paths of those whose text does not name them (by row).
struct ListedFolder {
    ListedBlock paths;
    NativePaths natives;
    PassedOver passed_over;
    std::exception_ptr failure;
};

ListedFolder list_content_folder(const std::string& root, const std::filesystem::path* within) {
    FolderTree tree = walk_folder_tree(root, false, nullptr, within);
    ListedFolder listed;
    listed.passed_over = tree.passed_over;
    listed.paths.order = files_in_path_order(tree);
    for (std::size_t row = 0; row < listed.paths.order.size(); ++row) {
        const auto native = tree.native_files.find(listed.paths.order[row]);
        if (native != tree.native_files.end()) {
            listed.natives.emplace_back(row, native->second);
        }
    }
    listed.paths.paths = std::move(tree.files);
    return listed;
}

} // namespace

void wypisz_wszystkie_pliki(const std::string& main_dir, Progress& progress,
                            const BesideListing& beside, PackageInventory& inventory,
                            PassedOver& passed_over, ListedSizes* sizes) {
    progress.set_status(text(Text::ListingPhase));
    progress.set_detail("");
    let_events_run(progress);

    const std::string main = with_final_separator(main_dir);
    // The names ascend in this order, so appending each folder's files in the
    // order of their paths keeps the whole inventory sorted.
    static constexpr std::array<std::string_view, 5> kContentFolders = {"inne", "models", "scenery",
                                                                        "sounds", "textures"};
    std::array<std::string, kContentFolders.size()> roots;
    for (std::size_t f = 0; f < kContentFolders.size(); ++f) {
        const std::string root = content_folder(main, kContentFolders[f]);
        if (folder_exists(root)) {
            roots[f] = root;
        }
    }

    // A folder link is followed only to a folder inside the main directory: a
    // link to /usr would count the system's files as unused ones.
    const std::filesystem::path real_main = real_folder_path(main);
    const std::filesystem::path* within = real_main.empty() ? nullptr : &real_main;

    // Listing mostly waits for the system, so two folders are listed at a time,
    // the largest first, so that neither thread is left with a large one at the
    // end: the textures (mostly the most files), the definition files' folder
    // (kDefinitions), where beside walks it and reads its definition files for
    // the rolling-stock check, which then needs little of the run's own time, then
    // the other folders, mostly the most folders first. Every folder is listed
    // whole before the first failure, in the order above, ends the run.
    constexpr std::size_t kDefinitions = kContentFolders.size();
    static constexpr std::array<std::size_t, kContentFolders.size() + 1> kWalkOrder = {
        4, kDefinitions, 0, 3, 1, 2};
    std::array<ListedFolder, kContentFolders.size()> listed;
    std::atomic<std::size_t> next{0};
    const auto walk = [&] {
        for (std::size_t n = next++; n < kWalkOrder.size(); n = next++) {
            const std::size_t f = kWalkOrder[n];
            if (f == kDefinitions) {
                if (beside) {
                    beside(within);
                }
                continue;
            }
            if (roots[f].empty()) {
                continue;
            }
            try {
                listed[f] = list_content_folder(roots[f], within);
            } catch (...) {
                listed[f].failure = std::current_exception();
            }
        }
    };
    std::array<std::jthread, kListingThreads - 1> helpers;
    try {
        for (std::jthread& helper : helpers) {
            helper = std::jthread(walk);
        }
    } catch (const std::system_error&) {
        // No more threads to be had: those started and this one list every folder.
    }
    walk();
    for (std::jthread& helper : helpers) {
        if (helper.joinable()) {
            helper.join();
        }
    }
    for (const ListedFolder& folder : listed) {
        if (folder.failure) {
            std::rethrow_exception(folder.failure);
        }
        passed_over += folder.passed_over;
    }
    // Each folder's block of paths becomes the inventory's as it is, uncopied.
    std::vector<ListedBlock> paths;
    NativePaths natives;
    std::size_t count = 0;
    for (ListedFolder& folder : listed) {
        for (auto& [row, native] : folder.natives) {
            natives.emplace_back(count + row, std::move(native));
        }
        count += folder.paths.paths.size();
        paths.push_back(std::move(folder.paths));
        folder = ListedFolder{};
    }
    inventory = PackageInventory::of_blocks(std::move(paths));
    inventory.set_native_paths(natives);
    if (sizes != nullptr) {
        sizes->start(inventory.listed_rows(), std::move(natives));
    }
}

} // namespace ferwis
