#pragma once
// Open-addressed hash slots kept in buckets of one cache line: a bucket holds
// the tags of its slots (a few bits of the hash, never 0) beside their values.
// On a table far larger than the processor's caches a lookup then misses the
// caches once for the tags and the value together, and the caller's key is
// read only where a tag matches. Values are never removed.

#include <array>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace ferwis {

template <typename Value, std::size_t Slots> class HashBuckets {
public:
    // Empties the table and makes room for count values.
    void reset(std::size_t count) {
        buckets_.clear();
        // At most half the slots in use keeps the runs short (most end in the
        // bucket they start in), and leaves a free slot that ends every run.
        buckets_.resize(count * 2 / Slots + 1);
    }

    // The first value on the run of hash whose tag matches and for which
    // matches(value) holds, or null.
    template <typename Matches> const Value* find(std::uint64_t hash, Matches&& matches) const {
        if (buckets_.empty()) {
            return nullptr;
        }
        const std::uint8_t tag = tag_of(hash);
        for (std::size_t b = first_bucket(hash);; b = next_bucket(b)) {
            const Bucket& bucket = buckets_[b];
            for (std::size_t s = 0; s < Slots; ++s) {
                // The slots of a run fill in order: a free one ends it.
                if (bucket.tags[s] == 0) {
                    return nullptr;
                }
                if (bucket.tags[s] == tag && matches(bucket.values[s])) {
                    return &bucket.values[s];
                }
            }
        }
    }
    template <typename Matches> Value* find(std::uint64_t hash, Matches&& matches) {
        return const_cast<Value*>(std::as_const(*this).find(hash, matches));
    }

    // Puts value in the first free slot of the run of hash (after every value
    // put there before, so equal keys are found in the order put); returns it.
    // The table must have room (reset).
    Value& insert(std::uint64_t hash, Value value) {
        for (std::size_t b = first_bucket(hash);; b = next_bucket(b)) {
            Bucket& bucket = buckets_[b];
            for (std::size_t s = 0; s < Slots; ++s) {
                if (bucket.tags[s] == 0) {
                    bucket.tags[s] = tag_of(hash);
                    bucket.values[s] = value;
                    return bucket.values[s];
                }
            }
        }
    }

private:
    struct alignas(64) Bucket {
        std::array<std::uint8_t, Slots> tags{};
        std::array<Value, Slots> values{};
    };
    static_assert(sizeof(Bucket) == 64, "a bucket fills one cache line");

    // The tag from the top bits of the hash, the bucket from the low ones, so
    // that keys sharing a bucket seldom share a tag.
    static std::uint8_t tag_of(std::uint64_t hash) {
        return static_cast<std::uint8_t>(0x80 | (hash >> 57));
    }
    std::size_t first_bucket(std::uint64_t hash) const {
        return static_cast<std::size_t>(((hash & 0xFFFFFFFFU) * buckets_.size()) >> 32);
    }
    std::size_t next_bucket(std::size_t b) const { return b + 1 == buckets_.size() ? 0 : b + 1; }

    std::vector<Bucket> buckets_;
};

} // namespace ferwis
