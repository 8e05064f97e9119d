#include "ui/message_box.h"

#include "ui/preview_dialog.h"
#include "ui/widget_helpers.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace ferwis {

int ask(QWidget* parent, std::string_view text, const std::vector<Answer>& answers,
        const QString& title, bool* keep_used) {
    QMessageBox box(QMessageBox::NoIcon, title, to_qstring(text), QMessageBox::NoButton, parent);
    if (keep_used != nullptr) {
        auto* keep = new QCheckBox(ui_text("Zostaw pliki używane przez inne scenerie"), &box);
        keep->setObjectName(QStringLiteral("KeepUsedElsewhere"));
        keep->setChecked(*keep_used);
        box.setCheckBox(keep);
    }
    std::vector<QPushButton*> buttons;
    for (const Answer& answer : answers) {
        // The toolkit's standard buttons carry its own (English) texts and icons:
        // every button here is made with its Polish caption.
        buttons.push_back(box.addButton(ui_text(answer.caption), answer.role));
        if (answer.is_default) {
            box.setDefaultButton(buttons.back());
            // A box that opens inactive gives the focus, when it becomes
            // active, to its first button, and the focused button is the one
            // Enter presses: the focus starts on the default.
            buttons.back()->setFocus();
        }
    }
    box.exec();
    if (keep_used != nullptr) {
        *keep_used = box.checkBox()->isChecked();
    }
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        if (box.clickedButton() == buttons[i]) {
            return static_cast<int>(i);
        }
    }
    return -1; // closed by Escape without a reject button, or by the window manager
}

void MessageBoxMessages::show(std::string_view text) {
    ask(parent_, text, {{"OK", QMessageBox::AcceptRole, true}});
}

void MessageBoxMessages::show_titled(std::string_view title, std::string_view text) {
    ask(parent_, text, {{"OK", QMessageBox::AcceptRole, true}}, to_qstring(title));
}

bool MessageBoxMessages::confirm(std::string_view text) {
    // A question may precede an act that cannot be undone: Enter declines it.
    return ask(parent_, text,
               {{"OK", QMessageBox::AcceptRole, false},
                {"Anuluj", QMessageBox::RejectRole, true}}) == 0;
}

Questions::DeleteChoice MessageBoxQuestions::choose_delete(std::string_view text, bool* keep_used) {
    // Enter must not take files out of the installation: it cancels, and each
    // act needs its own click.
    switch (ask(parent_, text,
                {{"Do kosza", QMessageBox::AcceptRole, false},
                 {"Usuń trwale", QMessageBox::DestructiveRole, false},
                 {"Podgląd", QMessageBox::ActionRole, false},
                 {"Anuluj", QMessageBox::RejectRole, true}},
                QStringLiteral("Ferwis"), keep_used)) {
    case 0:
        return DeleteChoice::Trash;
    case 1:
        return DeleteChoice::Permanent;
    case 2:
        return DeleteChoice::Preview;
    default:
        return DeleteChoice::Cancel;
    }
}

Questions::MoveChoice MessageBoxQuestions::choose_move(std::string_view text, bool* keep_used) {
    switch (ask(parent_, text,
                {{"Przenieś", QMessageBox::AcceptRole, false},
                 {"Podgląd", QMessageBox::ActionRole, false},
                 {"Anuluj", QMessageBox::RejectRole, true}},
                QStringLiteral("Ferwis"), keep_used)) {
    case 0:
        return MoveChoice::Move;
    case 1:
        return MoveChoice::Preview;
    default:
        return MoveChoice::Cancel;
    }
}

Questions::OverwriteChoice MessageBoxQuestions::choose_overwrite(std::string_view text) {
    // Enter keeps what is at the target: replacing it needs the person's click.
    switch (ask(parent_, text,
                {{"Zastąp", QMessageBox::DestructiveRole, false},
                 {"Pomiń", QMessageBox::AcceptRole, true},
                 {"Anuluj", QMessageBox::RejectRole, false}})) {
    case 0:
        return OverwriteChoice::Replace;
    case 1:
        return OverwriteChoice::Skip;
    default:
        return OverwriteChoice::Cancel;
    }
}

void MessageBoxQuestions::show_preview(const OperationPreview& preview) {
    PreviewDialog dialog(preview, parent_);
    dialog.exec();
}

bool MessageBoxQuestions::offer_undo(std::string_view text) {
    return ask(parent_, text,
               {{"OK", QMessageBox::AcceptRole, true},
                {"Cofnij", QMessageBox::ActionRole, false}}) == 1;
}

std::optional<std::string> MessageBoxQuestions::choose_folder(std::string_view title) {
    const QString folder =
        QFileDialog::getExistingDirectory(parent_, to_qstring(title), QDir::homePath());
    if (folder.isEmpty()) {
        return std::nullopt;
    }
    return QDir::toNativeSeparators(folder).toStdString();
}

} // namespace ferwis
