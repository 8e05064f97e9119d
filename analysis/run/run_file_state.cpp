#include "analysis/run/run_file_state.h"

#include "common/catalogue.h"
#include "format/file_state.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <stdexcept>

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

// The stamp a file read has in the record, by number: as it stood when the
// run opened it; a file the run did not open (a definition file too short to
// read) or opened by its native path as it is now by its text, which is
// nothing for a path that does not name it.
std::optional<FileStamp> read_stamp(const RunState& run, std::size_t i) {
    const std::uint32_t sources = run.inventory.source_count() - (kSelectedScenery + 1);
    const std::optional<FileStamp> opened =
        i < sources ? run.source_stamps.of(static_cast<std::uint32_t>(i + kSelectedScenery + 1))
                    : run.definition_stamps[i - sources];
    return opened ? opened : file_stamp(read_path(run, i));
}

} // namespace

void write_state(const RunState& run, const std::vector<std::string>& selected,
                 const std::string& result_path, const ResultDigest& digest) {
    const std::size_t count = read_count(run);
    if (count >= std::numeric_limits<std::uint32_t>::max()) {
        throw std::length_error(text(Text::ReasonTooManyFiles));
    }
    // A file read more than once is recorded once, as it was first read.
    const std::vector<bool> first =
        first_occurrences(count, [&](std::size_t i) { return read_path(run, i); });
    FileStateWriter state(result_path, digest);
    for (const std::string& name : selected) {
        state.add_selected(name);
    }
    for (std::size_t i = 0; i < count; ++i) {
        if (!first[i]) {
            continue;
        }
        if (const std::optional<FileStamp> stamp = read_stamp(run, i)) {
            state.add_read(read_path(run, i), *stamp);
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
