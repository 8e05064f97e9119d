#pragma once
// The lengths of the listed files, by row. A large installation lists a
// million of them, nearly all far below 4 GiB: each takes 4 bytes, and the
// few longer ones are kept apart.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <utility>
#include <vector>

namespace ferwis {

class FileLengths {
public:
    FileLengths() = default;
    // Lengths of count rows, each 0.
    explicit FileLengths(std::size_t count) : short_(count, 0) {}

    // Sets the length of a row; the rows of lengths of 4 GiB or more are set
    // in ascending order.
    void set(std::size_t row, std::uintmax_t length) {
        if (length < kLong) {
            short_[row] = static_cast<std::uint32_t>(length);
            return;
        }
        short_[row] = kLong;
        long_.emplace_back(row, length);
    }

    std::uintmax_t operator[](std::size_t row) const {
        if (short_[row] != kLong) {
            return short_[row];
        }
        const auto found = std::lower_bound(long_.begin(), long_.end(), row,
                                            [](const std::pair<std::size_t, std::uintmax_t>& a,
                                               std::size_t b) { return a.first < b; });
        return found->second;
    }

    std::size_t size() const { return short_.size(); }
    bool empty() const { return short_.empty(); }

private:
    // Stands in the short lengths for a length kept apart.
    static constexpr std::uint32_t kLong = std::numeric_limits<std::uint32_t>::max();

    std::vector<std::uint32_t> short_;
    std::vector<std::pair<std::size_t, std::uintmax_t>> long_; // by row, ascending
};

} // namespace ferwis
