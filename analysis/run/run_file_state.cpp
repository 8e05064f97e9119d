#include "analysis/run/run_file_state.h"

#include "common/catalogue.h"
#include "format/file_state.h"

#include <algorithm>
#include <cstdint>
#include <exception>
#include <limits>
#include <stdexcept>
#include <system_error>
#include <utility>

namespace ferwis {
namespace {

// Of count paths, which are the first of their text: a file read more than
// once is recorded once. Told by sorting their numbers, not by a set of the
// paths, which would cost a large installation megabytes beside the inventory.
template <typename PathOf> std::vector<bool> first_occurrences(std::size_t count, PathOf path_of) {
    std::vector<std::uint32_t> order(count);
    for (std::size_t i = 0; i < count; ++i) {
        order[i] = static_cast<std::uint32_t>(i);
    }
    std::sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
        const std::string_view first = path_of(a);
        const std::string_view second = path_of(b);
        return first != second ? first < second : a < b;
    });
    std::vector<bool> first(count, true);
    for (std::size_t i = 1; i < count; ++i) {
        if (path_of(order[i]) == path_of(order[i - 1])) {
            first[order[i]] = false;
        }
    }
    return first;
}

// The files a run read, by number: the files that named files (the sources
// after the selection's own), then the definition files.
std::size_t read_count(const RunState& run) {
    return run.inventory.source_count() - (kSelectedScenery + 1) + run.definition_files.size();
}
std::string_view read_path(const RunState& run, std::size_t i) {
    const std::uint32_t sources = run.inventory.source_count() - (kSelectedScenery + 1);
    return i < sources ? run.inventory.source(static_cast<std::uint32_t>(i + kSelectedScenery + 1))
                       : std::string_view(run.definition_files[i - sources]);
}

// The stamp of each file read as it is now, by number: none for a file that
// is no regular file now, and none for a number after the first of its path
// (a file read more than once is recorded once).
std::vector<std::optional<FileStamp>> read_stamps(const RunState& run) {
    const std::size_t count = read_count(run);
    if (count >= std::numeric_limits<std::uint32_t>::max()) {
        throw std::length_error(text(Text::ReasonTooManyFiles));
    }
    const auto path_of = [&](std::size_t i) { return read_path(run, i); };
    const std::vector<bool> first = first_occurrences(count, path_of);
    std::vector<std::optional<FileStamp>> stamps(count);
    for (std::size_t i = 0; i < count; ++i) {
        if (first[i]) {
            stamps[i] = file_stamp(path_of(i));
        }
    }
    return stamps;
}

} // namespace

ReadStampsBeside::ReadStampsBeside(const RunState& run) : run_(run) {
    try {
        worker_ = std::jthread([this] {
            try {
                stamps_ = read_stamps(run_);
            } catch (...) {
                failure_ = std::current_exception();
            }
        });
    } catch (const std::system_error&) {
        // No second thread to be had: take() takes them.
    }
}

std::vector<std::optional<FileStamp>> ReadStampsBeside::take() {
    if (!worker_.joinable()) {
        return read_stamps(run_);
    }
    worker_.join();
    if (failure_) {
        std::rethrow_exception(failure_);
    }
    return std::move(stamps_);
}

void write_state(const RunState& run, const std::vector<std::string>& selected,
                 const std::string& result_path, const ResultDigest& digest,
                 const std::vector<std::optional<FileStamp>>& stamps) {
    FileStateWriter state(result_path, digest);
    for (const std::string& name : selected) {
        state.add_selected(name);
    }
    for (std::size_t i = 0; i < stamps.size(); ++i) {
        if (stamps[i]) {
            state.add_read(read_path(run, i), *stamps[i]);
        }
    }
    for (const FileEntry& row : run.inventory.missing_rows()) {
        state.add_missed(row.path);
    }
    std::string sound;
    for (std::size_t i = 0; i < run.missing_sounds.size(); ++i) {
        state.add_missed(sound.assign(run.missing_sounds_folder).append(run.missing_sounds[i]));
    }
    state.commit();
}

} // namespace ferwis
