#pragma once
// A small installation in a temporary folder and the main window started on it.

#include "support/doubles.h"
#include "support/temp_tree.h"
#include "ui/main_window.h"

#include <QString>
#include <QWidget>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ferwis::test {

// The program folder holds ferwis.ini and wynik.txt; the simulator lives in "sym/".
struct Installation {
    TempTree tree;

    // Writes the content folders (mixed case, as found on disk) and three sceneries.
    Installation() {
        make_tree(tree, {},
                  {"sym/Scenery/b.scn", "sym/Scenery/A.SCN", "sym/Scenery/" + cp1250("łódź.scn"),
                   "sym/Scenery/c.scm", "sym/Scenery/d.scn.txt", "sym/Scenery/dir.scn/",
                   "sym/Models/", "sym/Sounds/", "sym/Textures/", "sym/Dynamic/"},
                  "x");
    }

    std::string main_dir() const { return tree.path("sym"); }
    std::string copy_dir() const { return tree.path("kopia"); }

    // A complete configuration, one file sym/Textures/a.dds of 4 bytes and a
    // result that lists it as used.
    void write_one_used_file() const {
        write_complete_ini();
        tree.write("sym/Textures/a.dds", "aaaa");
        tree.write("wynik.txt", crlf({"\"" + main_dir() + "/Textures/a.dds\",\"U\""}));
    }

    // The configuration naming every setting.
    void write_complete_ini() const {
        tree.write("ferwis.ini", ini_bytes(main_dir(), copy_dir(),
                                           {"[pomijane_foldery_pliki]", "textures/tabor/"}));
    }
};

// Answers the window's questions before a move or delete as told (one answer
// after another, the last one again), and remembers them and the previews.
struct RecordingQuestions : Questions {
    std::vector<DeleteChoice> delete_answers{DeleteChoice::Trash};
    std::vector<MoveChoice> move_answers{MoveChoice::Move};
    std::vector<OverwriteChoice> overwrite_answers{OverwriteChoice::Skip};
    std::vector<std::string> asked;
    std::vector<std::string> previews;
    bool keep_used = true; // the state the check box is left in, when offered
    int keep_offered = 0;

    DeleteChoice choose_delete(std::string_view text, bool* keep) override {
        offer(keep);
        return answer(text, delete_answers);
    }
    MoveChoice choose_move(std::string_view text, bool* keep) override {
        offer(keep);
        return answer(text, move_answers);
    }
    OverwriteChoice choose_overwrite(std::string_view text) override {
        return answer(text, overwrite_answers);
    }
    void show_preview(const OperationPreview& preview) override {
        previews.push_back(preview.listing);
    }
    bool undo_answer = false; // "Cofnij" at the end of a move or delete
    std::vector<std::string> offered;
    bool offer_undo(std::string_view text) override {
        offered.emplace_back(text);
        return undo_answer;
    }
    // The folders chosen in turn (UTF-8), then a cancel.
    std::vector<std::string> folders;
    std::optional<std::string> choose_folder(std::string_view) override {
        if (folders.empty()) {
            return std::nullopt;
        }
        std::string folder = folders.front();
        folders.erase(folders.begin());
        return folder;
    }

private:
    void offer(bool* keep) {
        if (keep != nullptr) {
            ++keep_offered;
            *keep = keep_used;
        }
    }
    template <typename Choice> Choice answer(std::string_view text, std::vector<Choice>& answers) {
        asked.emplace_back(text);
        const Choice choice = answers.front();
        if (answers.size() > 1) {
            answers.erase(answers.begin());
        }
        return choice;
    }
};

// The main window, loaded as at start-up, with its messages and questions
// recorded; portable in the installation's folder unless other paths are given,
// with the folders a first start is to choose.
struct StartedWindow {
    explicit StartedWindow(const Installation& installation,
                           std::optional<ProgramPaths> paths = std::nullopt,
                           std::vector<std::string> folders = {})
        : window(messages, paths ? *paths : portable_paths(installation.tree.root()),
                 [this] { ++program_ends; }) {
        questions.folders = std::move(folders);
        window.set_questions(questions);
        window.load();
    }

    template <typename Control> Control* find(const char* name) {
        return window.findChild<Control*>(QString::fromLatin1(name));
    }

    RecordingMessages messages;
    RecordingQuestions questions;
    int program_ends = 0;
    MainWindow window;
};

} // namespace ferwis::test
