#pragma once
// Paths in one block of text, one after another. An installation lists
// hundreds of thousands of files: a string of its own for each would cost
// its bytes twice over (the string, the allocation's overhead and rounding),
// so the walk, the listing and the inventory keep them here, and the rows
// of the inventory view them in place.

#include "common/catalogue.h"
#include "common/platform.h"

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <stdexcept>
#include <string_view>
#include <utility>
#include <vector>

namespace ferwis {

class PathList {
public:
    // A list of the paths given.
    static PathList of(std::initializer_list<std::string_view> paths) {
        PathList list;
        for (const std::string_view path : paths) {
            list.push_back(path);
        }
        return list;
    }

    // Makes room for count paths of bytes in all, so that the block is made
    // once at its size. Throws std::length_error when a list that large
    // cannot be kept.
    void reserve(std::size_t count, std::size_t bytes) {
        if (bytes >= std::numeric_limits<std::uint32_t>::max()) {
            throw std::length_error(text(Text::ReasonTooManyFiles));
        }
        text_.reserve(bytes);
        ends_.reserve(count);
        platform::advise_large_pages(text_.data(), text_.capacity());
        platform::advise_large_pages(ends_.data(), ends_.capacity() * sizeof(std::uint32_t));
    }

    // Appends a path. Throws std::length_error past 4 GiB of text.
    void push_back(std::string_view path) {
        if (text_.size() + path.size() >= std::numeric_limits<std::uint32_t>::max()) {
            throw std::length_error(text(Text::ReasonTooManyFiles));
        }
        text_.insert(text_.end(), path.begin(), path.end());
        ends_.push_back(static_cast<std::uint32_t>(text_.size()));
    }

    // Appends the path folder + name.
    void push_back(std::string_view folder, std::string_view name) {
        if (text_.size() + folder.size() + name.size() >=
            std::numeric_limits<std::uint32_t>::max()) {
            throw std::length_error(text(Text::ReasonTooManyFiles));
        }
        text_.insert(text_.end(), folder.begin(), folder.end());
        text_.insert(text_.end(), name.begin(), name.end());
        ends_.push_back(static_cast<std::uint32_t>(text_.size()));
    }

    // A view of a path, valid while the list lives, moved or not (the block of
    // a vector goes with it), and is not appended to.
    std::string_view operator[](std::size_t index) const {
        const std::uint32_t begin = index == 0 ? 0 : ends_[index - 1];
        return {text_.data() + begin, ends_[index] - begin};
    }

    // Gives up the text, where the views taken stay valid, and empties the
    // list: for an owner that keeps views of every path and needs no path by
    // its number, so that the ends go as soon as they are no longer needed.
    std::vector<char> take_text() {
        std::vector<std::uint32_t>().swap(ends_);
        std::vector<char> text = std::move(text_);
        text_ = {};
        return text;
    }

    std::size_t size() const { return ends_.size(); }
    bool empty() const { return ends_.empty(); }
    // The bytes of all paths.
    std::size_t bytes() const { return text_.size(); }

private:
    std::vector<char> text_;
    std::vector<std::uint32_t> ends_; // where each path ends in text_
};

} // namespace ferwis
