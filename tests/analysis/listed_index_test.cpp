#include "analysis/listed_index.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace ferwis {
namespace {

PackageInventory inventory_of(std::initializer_list<const char*> listed,
                              std::initializer_list<const char*> appended = {}) {
    PackageInventory inventory;
    for (const char* path : listed) {
        inventory.rows.push_back(FileEntry{path, ResultCode::N});
    }
    inventory.listed = inventory.rows.size();
    for (const char* path : appended) {
        inventory.rows.push_back(FileEntry{path, ResultCode::B});
    }
    return inventory;
}

TEST(listed_index, finds_listed_rows_by_their_lower_case_path) {
    // Enough rows that many share a slot run of the table.
    PackageInventory inventory = inventory_of(
        {"/m/Models/A.e3d", "/m/models/a.E3D", "/m/textures/b.dds"}, {"/m/textures/brak.dds"});
    for (int i = 0; i < 300; ++i) {
        inventory.rows.insert(inventory.rows.begin() +
                                  static_cast<std::ptrdiff_t>(inventory.listed),
                              FileEntry{"/m/x/" + std::to_string(i), ResultCode::N});
        ++inventory.listed;
    }
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

    ListedIndex empty;
    EXPECT_EQ(empty.find("/m/x/0"), std::nullopt);
    empty.build(inventory_of({}));
    EXPECT_EQ(empty.find("/m/x/0"), std::nullopt);
}

} // namespace
} // namespace ferwis
