#pragma once

#include "results/operation_preview.h"

#include <QDialog>

namespace ferwis {

// What a file operation would do, file by file, in a box titled "Ferwis": the
// list scrolls and can be selected and copied; the totals stay in view under
// it; "Zamknij" closes the box.
class PreviewDialog : public QDialog {
    Q_OBJECT
public:
    explicit PreviewDialog(const OperationPreview& preview, QWidget* parent = nullptr);
};

} // namespace ferwis
