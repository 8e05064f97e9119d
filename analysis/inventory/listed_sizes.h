#pragma once
// The lengths of the listed files, for the totals of a run. They are asked for
// on a thread of their own while the run reads the definition files and the
// sceneries, so the listing itself needs no status call per file and the
// calls cost the run no time of its own on a second processor.

#include "analysis/inventory/file_lengths.h"
#include "analysis/inventory/package_inventory.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <stop_token>
#include <thread>
#include <utility>
#include <vector>

namespace ferwis {

// Native paths by row, ascending: of the rows whose text does not name their
// file (a name without a Windows-1250 form has "?" in its text).
using NativePaths = std::vector<std::pair<std::size_t, std::filesystem::path>>;

// The length of each listed row's file: one status call relative to the opened
// folder, a link followed to its file; a file with a native path by that path.
// A file that is gone, or no regular file any more, counts 0; so does one
// whose length the system refuses (in a folder that cannot be opened, say),
// which is also counted in unmeasured when given. Stops early (the rest 0)
// when stop is requested.
FileLengths measure_listed_files(std::span<const FileEntry> listed, const NativePaths& natives = {},
                                 std::stop_token stop = {}, std::size_t* unmeasured = nullptr);

class ListedSizes {
public:
    // Starts measuring the rows. Their paths must stay as they are until take()
    // or the end of this object (codes and places may change meanwhile).
    void start(std::span<const FileEntry> listed, NativePaths natives = {});

    // The lengths, in row order, once all were asked for; empty when not started.
    FileLengths take();

    // Whether its thread is still asking for lengths: the second processor
    // is taken until it is done.
    bool measuring() const { return measuring_.load(std::memory_order_relaxed); }

    // The files whose length the system refused, once take() returned.
    std::size_t unmeasured() const { return unmeasured_; }

private:
    std::span<const FileEntry> listed_;
    NativePaths natives_;
    FileLengths sizes_;
    std::size_t unmeasured_ = 0;
    bool started_ = false;
    std::atomic<bool> measuring_{false};
    std::jthread worker_; // last: stopped and joined before the rest goes
};

} // namespace ferwis
