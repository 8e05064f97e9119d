#pragma once

#include "common/messages.h"
#include "results/operation_preview.h"

#include <QMessageBox>
#include <QPointer>
#include <QWidget>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ferwis {

// One button of a message box: its Polish caption (UTF-8), its role (Escape
// answers with the reject role) and whether Enter presses it.
struct Answer {
    const char* caption;
    QMessageBox::ButtonRole role;
    bool is_default;
};

// Shows a modal box titled "Ferwis" (or the given title), without an icon, with
// the given buttons; returns the index of the button pressed, -1 when the box
// was closed otherwise. With keep_used, the box also holds the check box
// "Zostaw pliki używane przez inne scenerie", ticked as keep_used says, and
// keep_used takes its state when the box closes.
int ask(QWidget* parent, std::string_view text, const std::vector<Answer>& answers,
        const QString& title = QStringLiteral("Ferwis"), bool* keep_used = nullptr);

// Shows every message as a modal box titled "Ferwis", without an icon, with one
// OK button (a question: OK and Anuluj, Anuluj the default).
class MessageBoxMessages : public Messages {
public:
    // The window the boxes belong to; may be set after the window exists.
    void set_parent(QWidget* parent) { parent_ = parent; }

    void show(std::string_view text) override;
    void show_titled(std::string_view title, std::string_view text) override;
    bool confirm(std::string_view text) override;

private:
    QPointer<QWidget> parent_;
};

// The questions the window asks before a file operation takes files out of the
// installation. A test answers them without a box.
class Questions {
public:
    enum class DeleteChoice { Trash, Permanent, Preview, Cancel };
    enum class MoveChoice { Move, Preview, Cancel };
    enum class OverwriteChoice { Replace, Skip, Cancel };

    virtual ~Questions() = default;
    // "Do kosza", "Usuń trwale", "Podgląd" or "Anuluj" (the default). With
    // keep_used, also the check box that keeps the files other sceneries use
    // (as ask()).
    virtual DeleteChoice choose_delete(std::string_view text, bool* keep_used) = 0;
    // "Przenieś", "Podgląd" or "Anuluj" (the default); keep_used as above.
    virtual MoveChoice choose_move(std::string_view text, bool* keep_used) = 0;
    // "Zastąp", "Pomiń" (the default) or "Anuluj": whether a copy or move
    // replaces the files at the target that differ from their sources.
    virtual OverwriteChoice choose_overwrite(std::string_view text) = 0;
    // Shows what an operation would do, until the person closes it.
    virtual void show_preview(const OperationPreview& preview) = 0;
    // The end message of a move or delete that can be undone: "OK" (the
    // default) or "Cofnij"; true for "Cofnij".
    virtual bool offer_undo(std::string_view text) = 0;
    // A folder dialog titled title (Windows-1250): the folder chosen (UTF-8),
    // nothing when the person cancels.
    virtual std::optional<std::string> choose_folder(std::string_view title) = 0;
};

// The questions as modal boxes titled "Ferwis" with Polish buttons.
class MessageBoxQuestions : public Questions {
public:
    explicit MessageBoxQuestions(QWidget* parent) : parent_(parent) {}

    DeleteChoice choose_delete(std::string_view text, bool* keep_used) override;
    MoveChoice choose_move(std::string_view text, bool* keep_used) override;
    OverwriteChoice choose_overwrite(std::string_view text) override;
    void show_preview(const OperationPreview& preview) override;
    bool offer_undo(std::string_view text) override;
    std::optional<std::string> choose_folder(std::string_view title) override;

private:
    QPointer<QWidget> parent_;
};

} // namespace ferwis
