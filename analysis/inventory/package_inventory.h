#pragma once
// The package inventory: every file of the content folders during one analysis
// run, with the category the run gives it, and the rows of the missing files
// that the sceneries name. It keeps its own order: the listed rows ascend under
// the one comparison, the missing-file rows follow them in the order recorded,
// and every change of a row goes through the marks below.

#include "analysis/inventory/file_lengths.h"
#include "analysis/inventory/listed_index.h"
#include "analysis/inventory/path_list.h"
#include "format/result_code.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_set>
#include <utility>
#include <vector>

namespace ferwis {

// A place that named a file: a file of the run's source table and a line of it.
struct Place {
    std::uint32_t source = 0; // kNoSource: no place
    std::uint32_t line = 0;   // counted from 1; 0 for a file without lines
};

// Source 0 stands for no place, source 1 for "selected for the run" (a scenery
// that no other file named); the files that name files follow.
inline constexpr std::uint32_t kNoSource = 0;
inline constexpr std::uint32_t kSelectedScenery = 1;

struct FileEntry {
    // The full path as listed; lower case for a missing file. The inventory
    // keeps the text of its paths for as long as it lives.
    std::string_view path;
    ResultCode code = ResultCode::N;
    bool model_read = false; // the model's contents were read in this run
    Place place;             // the first place that gave the row its code (U, UD, B)
};

// A block of listed paths and the order its rows take: positions in the
// block, or none for the block's own order. A walk's block is kept in the
// order it was walked in, not copied into the order of the paths.
struct ListedBlock {
    PathList paths;
    std::vector<std::uint32_t> order;
};

// A run of rows, [first, last).
struct RowRange {
    std::size_t first = 0;
    std::size_t last = 0;
};

class PackageInventory {
public:
    // An inventory with nothing listed.
    PackageInventory() = default;
    // Its rows view its own text: moved, never copied.
    PackageInventory(PackageInventory&&) noexcept = default;
    PackageInventory& operator=(PackageInventory&&) noexcept = default;
    PackageInventory(const PackageInventory&) = delete;
    PackageInventory& operator=(const PackageInventory&) = delete;

    // Lists the files, each with code N. The paths must ascend under the one
    // comparison (names that differ only in case next to each other); throws
    // std::invalid_argument when they do not.
    explicit PackageInventory(std::vector<std::string> listed_paths);
    // The same for paths in blocks, one after the other, which it keeps.
    static PackageInventory of_blocks(std::vector<ListedBlock> listed_paths);

    // Every row: the listed rows, then the missing-file rows (code B). The two
    // are kept apart, so that the first missing file does not move every
    // listed row to a block twice its size.
    std::size_t row_count() const { return rows_.size() + missing_.size(); }
    const FileEntry& row(std::size_t index) const {
        return index < rows_.size() ? rows_[index] : missing_[index - rows_.size()];
    }
    std::size_t listed_count() const { return rows_.size(); }
    std::span<const FileEntry> listed_rows() const { return rows_; }
    std::span<const FileEntry> missing_rows() const { return missing_; }
    // Keeps the lengths of the listed rows' files (one for each, or none);
    // throws std::invalid_argument for another count.
    void set_listed_sizes(FileLengths sizes);
    // The length of a listed row's file in bytes, when the lengths were given.
    std::uintmax_t listed_size(std::size_t index) const {
        return index < listed_sizes_.size() ? listed_sizes_[index] : 0;
    }

    // Keeps the native paths of the listed rows whose text does not name their
    // file (a name on the way has no Windows-1250 form), by row, rows ascending.
    void set_native_paths(std::vector<std::pair<std::size_t, std::filesystem::path>> natives) {
        natives_ = std::move(natives);
    }
    // The native path of a listed row whose text does not name its file; nullptr
    // for every other row, which its path names.
    const std::filesystem::path* native_path(std::size_t row) const;

    // The listed row whose path equals path under the one comparison: of names
    // that differ only in case, the first in sort order. Missing-file rows are
    // never found.
    std::optional<std::size_t> find(std::string_view path) const;

    // The listed textures of stem (the path without its extension), under the
    // one comparison.
    TextureRows texture_rows(std::string_view stem) const { return index_.texture_rows(stem); }

    // The listed rows whose paths begin with prefix under the one comparison.
    RowRange listed_with_prefix(std::string_view prefix) const;

    // Marks a listed row used (U), and with it every row whose name differs from
    // it only in case: on a case-sensitive file system the simulator may open any
    // of them, so none may be offered as unused. Returns whether the row was not
    // U before.
    bool mark_used(std::size_t row);

    // Marks a listed row and its case-only twins as sounds of rolling stock
    // (UD), each unless it is U already.
    void mark_rolling_stock_sound(std::size_t row);

    // Gives a listed row that is still unused (N) the code; returns whether it
    // did. A row that the run already decided keeps its code.
    bool mark_if_unused(std::size_t row, ResultCode code);

    // Marks the model at a listed row as read; returns false when it was read
    // earlier in the run.
    bool mark_model_read(std::size_t row);

    // Appends a row B for a missing file, its path in lower case, unless one
    // with that path is recorded already. Returns whether it appended.
    bool record_missing(std::string path);

    // Provenance. Each mark above that gives a row its code U or UD, and each
    // appended row, takes the current place; a row keeps the first place that
    // gave it the code it has, so a sound of rolling stock later used by a
    // scenery takes the scenery's place. Readers set the place as they go.
    void set_place(Place place) { place_ = place; }
    Place place() const { return place_; }
    void set_line(std::size_t line) { place_.line = static_cast<std::uint32_t>(line); }

    // Adds a file that names files (a definition file) to the source table;
    // returns its number for places.
    std::uint32_t add_source(std::string_view path);
    // The same for the file of a listed row (a scenery, an include, a model),
    // which its row names: a large installation's run reads a hundred
    // thousand of them, and their paths are not kept a second time.
    std::uint32_t add_listed_source(std::size_t row);
    // The number of sources so far; those added while a file is read number
    // from the count before it.
    std::uint32_t source_count() const { return static_cast<std::uint32_t>(source_rows_.size()); }
    // The path of a source; empty for kSelectedScenery.
    std::string_view source(std::uint32_t number) const {
        const std::uint32_t row = source_rows_[number];
        return row != kUnlisted ? rows_[row].path : source_paths_[number];
    }

private:
    // Makes the rows of the blocks' paths and indexes them.
    void take_blocks(std::vector<ListedBlock> listed_paths);
    RowRange case_twins(std::size_t row) const;
    std::uint32_t add_source_row(std::uint32_t row, std::string_view path);

    std::vector<std::vector<char>> listed_text_; // the text of the listed rows' paths
    std::vector<FileEntry> rows_;                // listed
    std::vector<FileEntry> missing_;             // appended
    FileLengths listed_sizes_;
    std::vector<std::pair<std::size_t, std::filesystem::path>> natives_;
    ListedIndex index_;
    // The paths of the missing-file rows, so that "already recorded" needs no
    // scan of those rows; the rows view them here (a set's elements stay put).
    std::unordered_set<std::string> recorded_missing_;
    // Per source, its listed row, or kUnlisted for one whose path is kept in
    // source_paths_ (empty for the others); the first two (no place, the
    // selected scenery) have no path.
    static constexpr std::uint32_t kUnlisted = std::numeric_limits<std::uint32_t>::max();
    std::vector<std::uint32_t> source_rows_{kUnlisted, kUnlisted};
    PathList source_paths_ = PathList::of({"", ""});
    Place place_;
};

// Sets the inventory's current place and gives back the one before when it
// ends: a model read for a statement names its textures from its own lines,
// and the statement's later names come from the statement's line again.
class PlaceScope {
public:
    PlaceScope(PackageInventory& inventory, Place place)
        : inventory_(inventory), saved_(inventory.place()) {
        inventory_.set_place(place);
    }
    ~PlaceScope() { inventory_.set_place(saved_); }
    PlaceScope(const PlaceScope&) = delete;
    PlaceScope& operator=(const PlaceScope&) = delete;

private:
    PackageInventory& inventory_;
    Place saved_;
};

} // namespace ferwis
