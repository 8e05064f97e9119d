#include "analysis/package_inventory.h"

#include "common/text_compare.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace ferwis {

PackageInventory::PackageInventory(std::vector<std::string> listed_paths) {
    rows_.reserve(listed_paths.size());
    for (std::string& path : listed_paths) {
        rows_.push_back(FileEntry{std::move(path), ResultCode::N});
    }
    listed_ = rows_.size();
    index_.build(listed_rows());
    for (std::size_t row = 1; row < listed_; ++row) {
        if (index_.key(row) < index_.key(row - 1)) {
            throw std::invalid_argument("the listed paths are not in order: " + rows_[row].path);
        }
    }
}

std::optional<std::size_t> PackageInventory::find(std::string_view path) const {
    return index_.find(path);
}

RowRange PackageInventory::listed_with_prefix(std::string_view prefix) const {
    // The listed rows ascend, so every path that begins with the prefix lies in
    // one run starting at its lower bound.
    const std::string lower = to_lower(prefix);
    std::size_t first = 0;
    std::size_t count = listed_;
    while (count > 0) {
        const std::size_t half = count / 2;
        if (index_.key(first + half) < lower) {
            first += half + 1;
            count -= half + 1;
        } else {
            count = half;
        }
    }
    std::size_t last = first;
    while (last < listed_ && index_.key(last).starts_with(lower)) {
        ++last;
    }
    return {first, last};
}

RowRange PackageInventory::case_twins(std::size_t row) const {
    RowRange twins{row, row + 1};
    while (twins.first > 0 && index_.key(twins.first - 1) == index_.key(row)) {
        --twins.first;
    }
    while (twins.last < listed_ && index_.key(twins.last) == index_.key(row)) {
        ++twins.last;
    }
    return twins;
}

bool PackageInventory::mark_used(std::size_t row) {
    const bool newly_used = rows_[row].code != ResultCode::U;
    const RowRange twins = case_twins(row);
    for (std::size_t r = twins.first; r < twins.last; ++r) {
        rows_[r].code = ResultCode::U;
    }
    return newly_used;
}

void PackageInventory::mark_rolling_stock_sound(std::size_t row) {
    const RowRange twins = case_twins(row);
    for (std::size_t r = twins.first; r < twins.last; ++r) {
        if (rows_[r].code != ResultCode::U) {
            rows_[r].code = ResultCode::UD;
        }
    }
}

bool PackageInventory::mark_if_unused(std::size_t row, ResultCode code) {
    if (row >= listed_ || rows_[row].code != ResultCode::N) {
        return false;
    }
    rows_[row].code = code;
    return true;
}

bool PackageInventory::mark_model_read(std::size_t row) {
    return !std::exchange(rows_[row].model_read, true);
}

bool PackageInventory::record_missing(std::string path) {
    to_lower_in_place(path);
    if (!recorded_missing_.insert(path).second) {
        return false;
    }
    rows_.push_back(FileEntry{std::move(path), ResultCode::B});
    return true;
}

} // namespace ferwis
