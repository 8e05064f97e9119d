#include "analysis/listed_index.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace ferwis {
namespace {

TEST(listed_index, finds_listed_rows_by_their_lower_case_path) {
    PackageInventory inventory;
    for (const char* path : {"/m/Models/A.e3d", "/m/models/a.E3D", "/m/textures/b.dds"}) {
        inventory.rows.push_back(FileEntry{path, ResultCode::N});
    }
    // Enough rows that many share a slot run of the table.
    for (int i = 0; i < 300; ++i) {
        inventory.rows.push_back(FileEntry{"/m/x/" + std::to_string(i), ResultCode::N});
    }
    inventory.listed = inventory.rows.size();
    inventory.rows.push_back(FileEntry{"/m/textures/brak.dds", ResultCode::B});
    ListedIndex index;
    index.build(inventory);
    const struct {
        const char* target;
        std::optional<std::size_t> row;
    } cases[] = {
        {"/m/models/a.e3d", 0}, // the first of two rows equal in lower case
        {"/m/textures/b.dds", 2},
        {"/m/x/0", 3},
        {"/m/x/299", 302},
        {"/m/textures/brak.dds", std::nullopt}, // appended rows are not listed
        {"/m/textures/b.dd", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(index.find(c.target), c.row) << c.target;
    }
    EXPECT_EQ(index.twins_end(0), 2U); // the two spellings of a.e3d
    EXPECT_EQ(index.twins_end(2), 3U);
    EXPECT_EQ(index.twins_end(302), 303U); // the last listed row

    ListedIndex empty;
    EXPECT_EQ(empty.find("/m/x/0"), std::nullopt);
    empty.build(PackageInventory{});
    EXPECT_EQ(empty.find("/m/x/0"), std::nullopt);
}

} // namespace
} // namespace ferwis
