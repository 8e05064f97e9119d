#include "ui/preview_dialog.h"

#include "common/catalogue.h"
#include "ui/widget_helpers.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ferwis {

PreviewDialog::PreviewDialog(const OperationPreview& preview, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Ferwis"));
    setObjectName(QStringLiteral("Preview"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(to_qstring(text(Text::PreviewTitle)), this));
    auto* list = new QPlainTextEdit(this);
    list->setObjectName(QStringLiteral("PreviewText"));
    list->setReadOnly(true);
    // Paths are long; a line per file reads best unbroken.
    list->setLineWrapMode(QPlainTextEdit::NoWrap);
    list->setPlainText(to_qstring(preview.listing));
    layout->addWidget(list);
    auto* totals = new QLabel(to_qstring(preview.totals), this);
    totals->setObjectName(QStringLiteral("PreviewTotals"));
    layout->addWidget(totals);
    auto* buttons = new QDialogButtonBox(this);
    // A Polish caption of its own: the toolkit's Close button is in English.
    QPushButton* close = buttons->addButton(ui_text("Zamknij"), QDialogButtonBox::RejectRole);
    close->setDefault(true);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(760, 480);
}

} // namespace ferwis
