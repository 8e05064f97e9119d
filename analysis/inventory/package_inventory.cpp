#include "analysis/inventory/package_inventory.h"

#include "common/catalogue.h"
#include "common/platform.h"
#include "common/text_compare.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace ferwis {

PackageInventory::PackageInventory(std::vector<std::string> listed_paths) {
    std::size_t bytes = 0;
    for (const std::string& path : listed_paths) {
        bytes += path.size();
    }
    std::vector<ListedBlock> blocks(1);
    blocks[0].paths.reserve(listed_paths.size(), bytes);
    for (const std::string& path : listed_paths) {
        blocks[0].paths.push_back(path);
    }
    std::vector<std::string>().swap(listed_paths); // before the rows and the index are made
    take_blocks(std::move(blocks));
}

PackageInventory PackageInventory::of_blocks(std::vector<ListedBlock> listed_paths) {
    PackageInventory inventory;
    inventory.take_blocks(std::move(listed_paths));
    return inventory;
}

void PackageInventory::take_blocks(std::vector<ListedBlock> listed_paths) {
    std::size_t count = 0;
    for (const ListedBlock& block : listed_paths) {
        count += block.paths.size();
    }
    rows_.reserve(count);
    platform::advise_large_pages(rows_.data(), rows_.capacity() * sizeof(FileEntry));
    listed_text_.reserve(listed_paths.size());
    for (ListedBlock& block : listed_paths) {
        const PathList& text = block.paths;
        for (std::size_t i = 0; i < text.size(); ++i) {
            const std::size_t at = block.order.empty() ? i : block.order[i];
            rows_.push_back(FileEntry{text[at], ResultCode::N, false, Place{}});
        }
        std::vector<std::uint32_t>().swap(block.order);
        // The rows hold where each path lies: of the block, the text is kept.
        listed_text_.push_back(block.paths.take_text());
    }
    index_.build(listed_rows());
    if (const std::optional<std::size_t> row = index_.first_out_of_order()) {
        throw std::invalid_argument("the listed paths are not in order: " +
                                    std::string(rows_[*row].path));
    }
}

void PackageInventory::set_listed_sizes(FileLengths sizes) {
    if (!sizes.empty() && sizes.size() != rows_.size()) {
        throw std::invalid_argument("a length for each listed path, or none");
    }
    listed_sizes_ = std::move(sizes);
}

std::optional<std::size_t> PackageInventory::find(std::string_view path) const {
    return index_.find(path);
}

RowRange PackageInventory::listed_with_prefix(std::string_view prefix) const {
    // The listed rows ascend, so every path that begins with the prefix lies in
    // one run starting at its lower bound.
    std::size_t first = 0;
    std::size_t count = rows_.size();
    while (count > 0) {
        const std::size_t half = count / 2;
        if (compare_names(rows_[first + half].path, prefix) < 0) {
            first += half + 1;
            count -= half + 1;
        } else {
            count = half;
        }
    }
    std::size_t last = first;
    while (last < rows_.size() && starts_with_name(rows_[last].path, prefix)) {
        ++last;
    }
    return {first, last};
}

RowRange PackageInventory::case_twins(std::size_t row) const {
    // Told by the index's bits, so a row without twins reads no other path.
    RowRange twins{row, row + 1};
    while (twins.first > 0 && index_.twin_follows(twins.first - 1)) {
        --twins.first;
    }
    while (index_.twin_follows(twins.last - 1)) {
        ++twins.last;
    }
    return twins;
}

bool PackageInventory::mark_used(std::size_t row) {
    const bool newly_used = rows_[row].code != ResultCode::U;
    const RowRange twins = case_twins(row);
    for (std::size_t r = twins.first; r < twins.last; ++r) {
        if (rows_[r].code != ResultCode::U) {
            rows_[r].code = ResultCode::U;
            rows_[r].place = place_;
        }
    }
    return newly_used;
}

void PackageInventory::mark_rolling_stock_sound(std::size_t row) {
    const RowRange twins = case_twins(row);
    for (std::size_t r = twins.first; r < twins.last; ++r) {
        if (rows_[r].code == ResultCode::N || rows_[r].code == ResultCode::W) {
            rows_[r].code = ResultCode::UD;
            rows_[r].place = place_;
        }
    }
}

bool PackageInventory::mark_if_unused(std::size_t row, ResultCode code) {
    if (row >= rows_.size() || rows_[row].code != ResultCode::N) {
        return false;
    }
    rows_[row].code = code;
    if (code == ResultCode::U || code == ResultCode::UD) {
        rows_[row].place = place_;
    }
    return true;
}

bool PackageInventory::mark_model_read(std::size_t row) {
    return !std::exchange(rows_[row].model_read, true);
}

bool PackageInventory::record_missing(std::string path) {
    to_lower_in_place(path);
    const auto [recorded, added] = recorded_missing_.insert(std::move(path));
    if (!added) {
        return false;
    }
    missing_.push_back(FileEntry{*recorded, ResultCode::B, false, place_});
    return true;
}

std::uint32_t PackageInventory::add_source_row(std::uint32_t row, std::string_view path) {
    if (source_rows_.size() >= kUnlisted) {
        throw std::length_error(text(Text::ReasonTooManyFiles));
    }
    source_rows_.push_back(row);
    source_paths_.push_back(path);
    return static_cast<std::uint32_t>(source_rows_.size() - 1);
}

std::uint32_t PackageInventory::add_source(std::string_view path) {
    return add_source_row(kUnlisted, path);
}

std::uint32_t PackageInventory::add_listed_source(std::size_t row) {
    // The index holds fewer rows than kUnlisted.
    return add_source_row(static_cast<std::uint32_t>(row), {});
}

const std::filesystem::path* PackageInventory::native_path(std::size_t row) const {
    const auto found = std::lower_bound(
        natives_.begin(), natives_.end(), row,
        [](const auto& native, std::size_t wanted) { return native.first < wanted; });
    return found != natives_.end() && found->first == row ? &found->second : nullptr;
}

} // namespace ferwis
