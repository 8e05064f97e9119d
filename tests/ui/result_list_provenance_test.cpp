#include "format/provenance_file.h"
#include "format/result_file.h"
#include "support/doubles.h"
#include "support/temp_tree.h"
#include "ui/result_list.h"

#include <QAction>
#include <QListWidget>
#include <QMenu>

#include <gtest/gtest.h>

#include <memory>

namespace ferwis {
namespace {

// wynik.txt with a selected scenery, a texture it names and an unused file,
// and its places.
struct ShownResult {
    ShownResult() {
        ResultFileWriter result(result_path());
        for (const auto& [path, code] : entries) {
            result.add(path, code);
        }
        ProvenanceFileWriter places(result_path(), result.finish());
        places.add(0, "", 0);
        places.add(1, "/m/scenery/a.scn", 7);
        places.commit();
        result.commit();
        list.resize(400, 200);
    }
    std::string result_path() const { return tree.path("wynik.txt"); }
    void fill() {
        fill_result_list(list, {entries[0].first, entries[1].first, entries[2].first});
        show_provenance(list, result_path(), messages);
    }
    std::unique_ptr<QMenu> menu_of(int entry) {
        return std::unique_ptr<QMenu>(
            provenance_menu(list, list.visualItemRect(list.item(entry)).center()));
    }

    const std::vector<std::pair<std::string, std::string>> entries = {
        {"/m/scenery/a.scn", "U"}, {"/m/textures/b.dds", "U"}, {"/m/textures/c.dds", "N"}};
    test::TempTree tree;
    test::RecordingMessages messages;
    QListWidget list;
};

TEST(result_list, entries_show_their_place_and_chain_until_another_category_is_shown) {
    ShownResult shown;
    shown.fill();
    EXPECT_EQ(shown.list.item(0)->toolTip(), QString::fromUtf8("sceneria wybrana do analizy"));
    EXPECT_EQ(shown.list.item(1)->toolTip(), "/m/scenery/a.scn:7");
    EXPECT_TRUE(shown.list.item(2)->toolTip().isEmpty());

    const auto menu = shown.menu_of(1);
    ASSERT_TRUE(menu);
    QAction* action = menu->actions().value(0);
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action->text(), QString::fromUtf8("Pokaż pochodzenie"));
    action->trigger();
    EXPECT_EQ(shown.messages.shown,
              std::vector<std::string>{"U /m/textures/b.dds\n  <- /m/scenery/a.scn:7\n"});
    // An unused file has no place to show.
    EXPECT_FALSE(shown.menu_of(2)->actions().value(0)->isEnabled());

    // Another category shown: the places go with the entries they belonged to.
    fill_result_list(shown.list, {"/m/textures/b.dds"});
    EXPECT_TRUE(shown.list.item(0)->toolTip().isEmpty());
    EXPECT_FALSE(shown.menu_of(0));
}

} // namespace
} // namespace ferwis
