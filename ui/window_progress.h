#pragma once

#include "common/progress.h"

#include <QLabel>

namespace ferwis {

// A long operation's progress in the main window: the status line (Label6), the
// detail line (Label7) and one pass of the event loop so the window repaints.
class WindowProgress : public Progress {
public:
    // close_flag is set by the window when a close request arrives meanwhile.
    WindowProgress(QLabel& status, QLabel& detail, const bool& close_flag)
        : status_(status), detail_(detail), close_flag_(close_flag) {}

    void set_status(std::string_view text) override;
    void set_detail(std::string_view text) override;
    void process_events() override;
    bool close_requested() const override { return close_flag_; }

private:
    QLabel& status_;
    QLabel& detail_;
    const bool& close_flag_;
};

} // namespace ferwis
