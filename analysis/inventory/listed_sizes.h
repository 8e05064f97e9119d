#pragma once
// The lengths of the listed files, for the totals of a run. They are asked for
// on a thread of their own while the run reads the definition files and the
// sceneries, so the listing itself needs no status call per file and the
// calls cost the run no time of its own on a second processor.

#include "analysis/inventory/package_inventory.h"

#include <cstdint>
#include <span>
#include <stop_token>
#include <thread>
#include <vector>

namespace ferwis {

// The length of each listed row's file: one status call relative to the opened
// folder, a link followed to its file. A file that is gone, or no regular file
// any more, counts 0. Stops early (the rest 0) when stop is requested.
std::vector<std::uintmax_t> measure_listed_files(std::span<const FileEntry> listed,
                                                 std::stop_token stop = {});

class ListedSizes {
public:
    // Starts measuring the rows. Their paths must stay as they are until take()
    // or the end of this object (codes and places may change meanwhile).
    void start(std::span<const FileEntry> listed);

    // The lengths, in row order, once all were asked for; empty when not started.
    std::vector<std::uintmax_t> take();

private:
    std::span<const FileEntry> listed_;
    std::vector<std::uintmax_t> sizes_;
    bool started_ = false;
    std::jthread worker_; // last: stopped and joined before the rest goes
};

} // namespace ferwis
