#include "support/cli_run.h"

#include <gtest/gtest.h>

#include <utility>

namespace ferwis {
namespace {

TEST(result_commands, statuses_and_the_question_before_a_delete) {
    test::CategoryInstallation cli(false); // its second file does not exist
    const std::pair<std::vector<std::string>, int> cases[] = {
        {{"show"}, 2},
        {{"show", "X"}, 2},
        {{"copy", "B"}, 2},   // only U, N and UD are acted on
        {{"delete", "N"}, 2}, // no terminal and no --yes
        {{"--config", "none.ini", "copy", "N"}, 2},
        {{"--result", "none.txt", "show", "N"}, 1},
        {{"copy", "n"}, 0},
        {{"show", "Nieużywane"}, 0}, // a category text in the terminal's encoding
    };
    for (const auto& [args, status] : cases) {
        EXPECT_EQ(cli.run(args), status) << args.back();
    }
    EXPECT_EQ(cli.out.str(), cli.tree.path("sym/textures/a.dds\n") +
                                 cli.tree.path("sym/textures/") + "żółw.dds\n");
    EXPECT_EQ(cli.tree.read("kopia/textures/a.dds"), "abc");
    EXPECT_TRUE(cli.tree.exists("sym/textures/a.dds"));

    // On a terminal a delete asks; "n" changes nothing.
    cli.environment.input_is_terminal = true;
    cli.input.str("n\n");
    EXPECT_EQ(cli.run({"delete", "N", "--permanent"}), 1);
    // Only the file that exists is counted, with its size.
    EXPECT_TRUE(test::contains(cli.err.str(), "Ilość plików do usunięcia: 1\nŁączny rozmiar: 3 B"));
    EXPECT_TRUE(cli.tree.exists("sym/textures/a.dds"));
    EXPECT_TRUE(cli.tree.exists("wynik.txt"));
    cli.input.clear();
    cli.input.str("t\n");
    EXPECT_EQ(cli.run({"delete", "N", "--permanent"}), 0);
    EXPECT_FALSE(cli.tree.exists("sym/textures/a.dds"));
    EXPECT_FALSE(cli.tree.exists("wynik.txt"));
    EXPECT_TRUE(test::contains(cli.out.str(), "files handled: 1"));
}

} // namespace
} // namespace ferwis
