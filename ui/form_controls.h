#pragma once
// The main window's controls at the design's positions (twips): frames with
// their caption on the border line, and captions fitted into their controls at
// the design's font size.

#include "ui/widget_helpers.h"

#include <QGroupBox>

class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace ferwis {

// A frame as designed: the caption sits on the top border line. The toolkit's
// own group box puts a taller title band above its border, which pushes the
// border down into the controls placed at the design's positions.
class DesignFrame : public QGroupBox {
    Q_OBJECT
public:
    DesignFrame(const QString& caption, QWidget* parent);

    // The area inside the border lines, where the frame's controls belong.
    QRect inner_rect() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int border_top() const;
};

// Creates controls in a container at design positions in twips; every control
// gets the design's control name as its objectName.
class FormBuilder {
public:
    explicit FormBuilder(const QWidget& window) : twips_(window) {}

    const Twips& twips() const { return twips_; }

    template <typename Control>
    Control* place(Control* control, const char* name, int left, int top, int width,
                   int height) const {
        control->setObjectName(QString::fromLatin1(name));
        control->setGeometry(twips_.rect(left, top, width, height));
        return control;
    }

    DesignFrame* frame(QWidget* container, const char* name, const char* caption, int left, int top,
                       int width, int height) const;
    QLabel* label(QWidget* container, const char* name, const char* caption, int left, int top,
                  int width, int height) const;
    // A status label: blue text that wraps.
    QLabel* status_label(QWidget* container, const char* name, int left, int top, int width,
                         int height) const;
    QPushButton* button(QWidget* container, const char* name, const char* caption, int left,
                        int top, int width, int height) const;
    QRadioButton* option(QWidget* container, const char* name, const char* caption, int left,
                         int top, int width, int height) const;

private:
    Twips twips_;
};

// Makes a label's or an option's caption fit its control without making the
// font smaller: the control takes free room on its right (up to the next
// control or its frame's inner edge), and a label whose accents would reach
// above its top edge is moved down inside itself, growing as needed.
void fit_caption(QLabel& label);
void fit_caption(QRadioButton& option);

// Widens a drop-down list into the free room on its right so that its longest
// entry shows whole.
void fit_entries(QComboBox& combo);

} // namespace ferwis
