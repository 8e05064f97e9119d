#include "analysis/inventory/hash_buckets.h"
#include "analysis/inventory/package_inventory.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace ferwis {
namespace {

std::vector<ResultCode> codes(const PackageInventory& inventory) {
    std::vector<ResultCode> out;
    for (std::size_t row = 0; row < inventory.row_count(); ++row) {
        out.push_back(inventory.row(row).code);
    }
    return out;
}

TEST(package_inventory, finds_listed_rows_under_the_one_comparison) {
    std::vector<std::string> paths = {"/m/Models/A.e3d", "/m/models/a.E3D", "/m/textures/b.dds"};
    // Enough rows that many share a run of probed slots.
    for (int i = 100; i < 400; ++i) {
        paths.push_back("/m/x/" + std::to_string(i));
    }
    PackageInventory inventory(paths);
    inventory.record_missing("/m/textures/brak.dds");
    const struct {
        const char* path;
        std::optional<std::size_t> row;
    } cases[] = {
        {"/m/models/a.e3d", 0}, // the first of two case-only twins
        {"/M/MODELS/A.E3D", 0},
        {"/m/textures/B.DDS", 2},
        {"/m/x/100", 3},
        {"/m/x/399", 302},
        {"/m/textures/brak.dds", std::nullopt}, // missing-file rows are not found
        {"/m/textures/b.dd", std::nullopt},
        {"/m/textures/b.ddss", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(inventory.find(c.path), c.row) << c.path;
    }
    EXPECT_EQ(PackageInventory().find("/m/x/100"), std::nullopt);
    EXPECT_EQ(PackageInventory(std::vector<std::string>{}).find(""), std::nullopt);
}

TEST(package_inventory, gives_the_rows_of_a_stems_textures) {
    std::vector<std::string> paths = {"/m/t/A.dds",  "/m/t/a.dds", "/m/t/a.png",    "/m/t/a.TGA",
                                      "/m/t/ab.bmp", "/m/t/b",     "/m/t/c.tex.dds"};
    // A stem whose textures have many of its other files between them: the
    // later ones are found through the table.
    paths.push_back("/m/t/d.bmp");
    for (int i = 100; i < 140; ++i) {
        paths.push_back("/m/t/d.c" + std::to_string(i));
    }
    paths.push_back("/m/t/d.dds");
    paths.push_back("/m/t/d.tex");
    const PackageInventory inventory(paths);
    const std::uint8_t dds = texture_extension_bit(".dds");
    const std::uint8_t tga = texture_extension_bit(".TGA");
    const std::uint8_t bmp = texture_extension_bit(".bmp");
    const std::uint8_t tex = texture_extension_bit(".tex");
    const struct {
        const char* stem;
        std::vector<std::pair<std::uint8_t, std::size_t>> rows; // extension bit, row
    } cases[] = {
        // A case twin's extension counts, found as its first twin; another file's does not.
        {"/m/t/a", {{dds, 0}, {tga, 3}}},
        {"/M/T/A", {{dds, 0}, {tga, 3}}},
        {"/m/t/ab", {{bmp, 4}}},
        {"/m/t/c.tex", {{dds, 6}}},
        {"/m/t/d", {{bmp, 7}, {dds, 48}, {tex, 49}}},
        {"/m/t/b", {}}, // a file without an extension is no texture of that stem
        {"/m/t/c", {}},
        {"/m/t/", {}},
        {"", {}},
    };
    for (const auto& c : cases) {
        const TextureRows found = inventory.texture_rows(c.stem);
        std::uint8_t extensions = 0;
        for (const auto& [bit, row] : c.rows) {
            extensions = static_cast<std::uint8_t>(extensions | bit);
            EXPECT_EQ(found.row(bit), row) << c.stem;
        }
        EXPECT_EQ(found.extensions, extensions) << c.stem;
    }
    EXPECT_EQ(std::set<std::uint8_t>({dds, tga, bmp, tex}).size(), 4u);
    EXPECT_EQ(texture_extension_bit(".png"), 0);
    EXPECT_EQ(texture_extension_bit("dds"), 0);
    EXPECT_EQ(texture_extension_bit(".ddss"), 0);
}

TEST(hash_buckets, finds_values_along_runs_that_cross_buckets_and_wrap) {
    HashBuckets<std::uint32_t, 12> table;
    table.reset(18); // four buckets of twelve slots
    // Low bits that choose the last bucket: the run fills it and wraps to the first.
    constexpr std::uint64_t kLastBucket = 0xF0000000U;
    constexpr std::uint64_t kTagA = std::uint64_t{0x11} << 57;
    constexpr std::uint64_t kTagB = std::uint64_t{0x22} << 57;
    for (std::uint32_t v = 0; v < 20; ++v) {
        table.insert(kLastBucket | kTagA, v);
    }
    table.insert(kLastBucket | kTagB, 500);
    std::size_t asked = 0;
    const auto value_of = [&](std::uint64_t hash, auto accepts) -> std::optional<std::uint32_t> {
        const std::uint32_t* found = table.find(hash, [&](std::uint32_t v) {
            ++asked;
            return accepts(v);
        });
        return found ? std::optional(*found) : std::nullopt;
    };
    for (std::uint32_t v = 0; v < 20; ++v) {
        EXPECT_EQ(value_of(kLastBucket | kTagA, [v](std::uint32_t x) { return x == v; }), v);
    }
    // Values of one key are found in the order put.
    EXPECT_EQ(value_of(kLastBucket | kTagA, [](std::uint32_t) { return true; }), 0u);
    // The key is asked about only where the tag matches, and a free slot ends the run.
    asked = 0;
    EXPECT_EQ(value_of(kLastBucket | kTagB, [](std::uint32_t) { return true; }), 500u);
    EXPECT_EQ(asked, 1u);
    asked = 0;
    EXPECT_EQ(value_of(kLastBucket | kTagA, [](std::uint32_t x) { return x == 99; }), std::nullopt);
    EXPECT_EQ(asked, 20u);
    EXPECT_EQ(value_of(std::uint64_t{0x33} << 57, [](std::uint32_t) { return true; }),
              std::nullopt);
    EXPECT_EQ((HashBuckets<std::uint32_t, 12>().find(0, [](std::uint32_t) { return true; })),
              nullptr);
}

TEST(package_inventory, refuses_a_listing_out_of_order) {
    EXPECT_THROW(PackageInventory({"/m/b", "/m/A"}), std::invalid_argument);
    EXPECT_THROW(PackageInventory({"/m/a/x", "/m/a"}), std::invalid_argument);
    EXPECT_NO_THROW(PackageInventory({"/m/a", "/m/A", "/m/a", "/m/a.b", "/m/a/b"}));
}

TEST(package_inventory, marks_keep_decided_rows_and_reach_every_case_only_twin) {
    using enum ResultCode;
    PackageInventory inventory({"s/a.wav", "s/B.wav", "s/b.wav", "s/c.txt", "s/d.txt"});
    // Found through either twin, both twins are the file in use.
    EXPECT_TRUE(inventory.mark_used(2));
    EXPECT_FALSE(inventory.mark_used(1));
    EXPECT_EQ(codes(inventory), (std::vector{N, U, U, N, N}));

    inventory.mark_rolling_stock_sound(0);
    inventory.mark_rolling_stock_sound(1);
    EXPECT_EQ(codes(inventory), (std::vector{UD, U, U, N, N}));
    // Used by a scenery after rolling stock: the scenery's mark wins.
    EXPECT_TRUE(inventory.mark_used(0));

    EXPECT_TRUE(inventory.mark_if_unused(3, W));
    EXPECT_FALSE(inventory.mark_if_unused(3, U));
    EXPECT_FALSE(inventory.mark_if_unused(1, W));
    EXPECT_EQ(codes(inventory), (std::vector{U, U, U, W, N}));

    EXPECT_TRUE(inventory.mark_model_read(4));
    EXPECT_FALSE(inventory.mark_model_read(4));
}

TEST(package_inventory, records_each_missing_file_once_in_lower_case_behind_the_listing) {
    PackageInventory inventory({"/m/textures/b.dds"});
    EXPECT_TRUE(inventory.record_missing("/m/Textures/Brak.DDS"));
    EXPECT_FALSE(inventory.record_missing("/M/textures/brak.dds"));
    EXPECT_TRUE(inventory.record_missing("/m/a.dds"));
    EXPECT_FALSE(inventory.mark_if_unused(1, ResultCode::W));
    ASSERT_EQ(inventory.listed_count(), 1u);
    ASSERT_EQ(inventory.missing_rows().size(), 2u);
    EXPECT_EQ(inventory.missing_rows()[0].path, "/m/textures/brak.dds");
    EXPECT_EQ(inventory.missing_rows()[0].code, ResultCode::B);
    EXPECT_EQ(inventory.missing_rows()[1].path, "/m/a.dds");
}

TEST(package_inventory, rows_beginning_with_a_prefix_lie_in_one_run) {
    const PackageInventory inventory(
        {"/s/syrena.txt", "/s/Syrena.wav", "/s/syrena2.wav", "/s/syrenb.wav", "/s/t.wav"});
    const struct {
        const char* prefix;
        std::size_t first, last;
    } cases[] = {
        {"/s/SYRENA", 0, 3}, {"/s/syrena.", 0, 2}, {"/s/syrenc", 4, 4}, {"/s/u", 5, 5}, {"", 0, 5},
    };
    for (const auto& c : cases) {
        const RowRange range = inventory.listed_with_prefix(c.prefix);
        EXPECT_EQ(range.first, c.first) << c.prefix;
        EXPECT_EQ(range.last, c.last) << c.prefix;
    }
}

} // namespace
} // namespace ferwis
