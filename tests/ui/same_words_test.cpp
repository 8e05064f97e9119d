// The window and the command line tell a person the same thing about the same
// failure: the one Polish message, and on the command line the detail after it.

#include "common/code_page.h"
#include "common/native_path.h"
#include "support/cli_run.h"
#include "window_fixture.h"

#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace ferwis {
namespace {

using test::Installation;
using test::StartedWindow;

TEST(same_words, window_and_command_line_give_one_message_per_failure) {
    enum class Result { None, Unreadable, Shrunk, Gone, NothingUsed };
    const auto display = [](StartedWindow& w, Installation&) {
        w.find<QPushButton>("Command2")->click();
    };
    const auto act = [](const char* operation, const char* category) {
        return [=](StartedWindow& w, Installation&) {
            w.find<QRadioButton>(operation)->click();
            w.find<QRadioButton>(category)->click();
            w.find<QPushButton>("Command3")->click();
        };
    };
    const auto del = act("Option3", "Option5");  // delete the unused files
    const auto move = act("Option2", "Option4"); // move the used ones
    const struct {
        const char* name;
        Result result;
        std::function<void(StartedWindow&, Installation&)> in_window;
        std::vector<std::string> on_command_line;
        bool detail; // the command line names file and reason after the message
    } cases[] = {
        {"no ferwis.ini", Result::None, [](StartedWindow&, Installation&) {}, {"copy", "N"}, false},
        {"display of an unreadable wynik.txt", Result::Unreadable, display, {"show", "N"}, true},
        {"display of a wynik.txt that shrank below a result",
         Result::Shrunk,
         [&display](StartedWindow& w, Installation& inst) {
             inst.tree.write("wynik.txt", "abc");
             display(w, inst);
         },
         {"show", "N"},
         false},
        {"delete, unreadable wynik.txt", Result::Unreadable, del, {"delete", "N"}, true},
        {"display, wynik.txt gone", Result::Gone, display, {"show", "N"}, true},
        {"by file, wynik.txt gone", Result::Gone, display, {"show", "B", "--by-file"}, true},
        {"delete, wynik.txt gone", Result::Gone, del, {"delete", "N"}, true},
        {"move, no file of the category", Result::NothingUsed, move, {"move", "U"}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Installation inst;
        if (c.result != Result::None) {
            inst.write_complete_ini();
            inst.tree.write("wynik.txt", "\"a\",\"N\"\r\n");
        }
        if (c.result == Result::Unreadable) { // a gigabyte of zero bytes without a line end
            std::filesystem::resize_file(to_native(inst.tree.path("wynik.txt")), 1u << 30);
        }
        std::vector<std::string> shown;
        {
            StartedWindow w(inst);
            if (c.result == Result::Gone) { // its places stay where nothing is done
                inst.tree.write("wynik_zrodla.txt", "places\r\n");
                std::filesystem::remove(to_native(inst.tree.path("wynik.txt")));
            }
            c.in_window(w, inst);
            shown = w.messages.shown;
            EXPECT_TRUE(w.questions.asked.empty()); // nothing to ask about
        }
        EXPECT_EQ(inst.tree.exists("wynik_zrodla.txt"), c.result == Result::Gone);
        test::CliRun cli; // ferwis-cli on the same program folder, answering "t"
        cli.environment.paths = portable_paths(inst.tree.root());
        cli.environment.input_is_terminal = true;
        cli.input.str("t\n");
        cli.run(c.on_command_line);
        const std::string error = cli.err.str();
        ASSERT_EQ(shown.size(), 1u);
        const std::string message = cp1250_to_utf8(shown.front()) + "\n";
        EXPECT_EQ(error.substr(0, message.size()), message);
        EXPECT_EQ(error.find("\nferwis-cli: ") != std::string::npos, c.detail) << error;
    }
}

} // namespace
} // namespace ferwis
