#pragma once
// How a long operation (analysis, file operation) reports its progress. The
// window turns it into the two status labels and one processEvents(); the CLI
// into lines on standard error; tests record it.

#include "common/errors.h"

#include <string_view>

namespace ferwis {

class Progress {
public:
    virtual ~Progress() = default;
    // The status line (Label6) and the detail line (Label7), Windows-1250 text.
    virtual void set_status(std::string_view text) = 0;
    virtual void set_detail(std::string_view text) = 0;
    // Lets the event loop process pending events once.
    virtual void process_events() = 0;
    // True once the user asked to close the program while the operation ran.
    virtual bool close_requested() const { return false; }
};

// Lets the event loop run once; throws OperationCancelled when a close request
// arrived meanwhile, so the operation ends at that point.
inline void let_events_run(Progress& progress) {
    progress.process_events();
    if (progress.close_requested()) {
        throw OperationCancelled();
    }
}

} // namespace ferwis
