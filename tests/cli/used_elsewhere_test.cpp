// A move or delete on a real installation: what a scenery outside the
// analysis uses stays unless asked, and a result the installation has left
// behind is refused.
#include "common/catalogue.h"
#include "format/file_state.h"
#include "support/cli_run.h"

#include <gtest/gtest.h>

namespace ferwis {
namespace {

// Two sceneries sharing wspolna.dds; a.scn alone also uses tylko_a.dds and
// names brak.dds, which is missing; stara.dds is unused. Only a.scn is analysed.
struct TwoSceneries : test::CliRun {
    TwoSceneries() {
        test::make_content_folders(tree, "sym/");
        write_ini("sym");
        tree.mkdir("kopia/");
        tree.write("sym/scenery/a.scn", scenery({"wspolna.dds", "tylko_a.dds", "brak.dds"}));
        tree.write("sym/scenery/b.scn", scenery({"wspolna.dds"}));
        for (const char* name : {"wspolna.dds", "tylko_a.dds", "stara.dds"}) {
            tree.write(std::string("sym/textures/") + name, name);
        }
        EXPECT_EQ(run({"analyze", "a.scn"}), 0) << err.str();
    }
    static std::string scenery(const std::vector<std::string>& textures) {
        std::vector<std::string> lines;
        for (const std::string& texture : textures) {
            lines.push_back("node -1 0 t triangles " + texture);
            lines.push_back("endtri");
        }
        return test::crlf(lines);
    }
    bool texture(const char* name) const {
        return tree.exists(std::string("sym/textures/") + name);
    }
};

TEST(used_elsewhere, delete_and_move_keep_what_another_scenery_uses) {
    struct Case {
        std::vector<std::string> args;
        bool shared_stays;
    };
    for (const Case& c :
         {Case{{"delete", "N", "--yes", "--permanent"}, true}, Case{{"move", "U", "--yes"}, true},
          Case{{"delete", "N", "--yes", "--permanent", "--include-used-elsewhere"}, false},
          Case{{"move", "U", "--yes", "--include-used-elsewhere"}, false}}) {
        // The shared texture is U for a.scn; for the delete it is made N by
        // analysing an empty scenery instead.
        TwoSceneries cli;
        if (c.args[0] == "delete") {
            cli.tree.write("sym/scenery/pusta.scn", "");
            ASSERT_EQ(cli.run({"analyze", "pusta.scn"}), 0);
        }
        ASSERT_EQ(cli.run(c.args), 0) << c.args[0] << cli.err.str();
        EXPECT_EQ(cli.texture("wspolna.dds"), c.shared_stays) << c.args.back();
        EXPECT_EQ(cli.tree.exists("sym/scenery/b.scn"), c.shared_stays || c.args[0] == "move");
        if (c.shared_stays) {
            EXPECT_TRUE(test::contains(
                cli.out.str(), "zostaje " + cli.tree.path("sym/textures/wspolna.dds") + " <- "));
            EXPECT_TRUE(test::contains(cli.out.str(), "kept used elsewhere: "));
        }
    }
}

TEST(used_elsewhere, why_names_the_scenery_outside_the_analysis) {
    TwoSceneries cli;
    cli.tree.write("sym/scenery/pusta.scn", "");
    ASSERT_EQ(cli.run({"analyze", "pusta.scn"}), 0);
    EXPECT_EQ(cli.run({"why", cli.tree.path("sym/textures/wspolna.dds")}), 0) << cli.err.str();
    EXPECT_TRUE(test::contains(cli.out.str(), "  <- " + cli.tree.path("sym/scenery/a.scn") + ":1"));
    EXPECT_EQ(cli.run({"why", cli.tree.path("sym/textures/stara.dds")}), 1);
    EXPECT_TRUE(test::contains(cli.err.str(), "Nie używa go żadna sceneria instalacji."));
}

// Each change after the analysis refuses every operation, and touches nothing.
TEST(stale_result, a_changed_or_new_file_refuses_the_operation) {
    const std::vector<std::pair<std::string, std::string>> changes = {
        {"sym/scenery/a.scn", "node -1 0 t triangles stara.dds\r\nendtri\r\n"},
        {"sym/textures/brak.dds", "now here"},
    };
    for (const auto& [path, bytes] : changes) {
        for (const char* operation : {"copy", "move", "delete"}) {
            TwoSceneries cli;
            cli.tree.write(path, bytes);
            EXPECT_EQ(cli.run({operation, "U", "--dry-run"}), 1) << operation;
            EXPECT_TRUE(test::contains(
                cli.err.str(),
                std::string("Wynik analizy jest nieaktualny: od analizy zmienił się plik ") +
                    cli.tree.path(path) + ". Przeprowadź analizę ponownie."));
            EXPECT_TRUE(cli.texture("tylko_a.dds"));
            EXPECT_TRUE(cli.tree.exists("wynik.txt"));
            EXPECT_FALSE(cli.tree.exists("kopia/textures/tylko_a.dds"));
        }
    }
}

TEST(stale_result, a_result_without_the_record_is_acted_on_and_says_so) {
    TwoSceneries cli;
    remove_file_state(cli.tree.path("wynik.txt"));
    EXPECT_EQ(cli.run({"delete", "N", "--yes", "--permanent"}), 0) << cli.err.str();
    EXPECT_FALSE(cli.texture("stara.dds"));
    EXPECT_TRUE(test::contains(cli.err.str(), cp1250_to_utf8(text(Text::FreshnessUnknown))));
}

} // namespace
} // namespace ferwis
