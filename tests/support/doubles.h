#pragma once
// Stand-ins for the front ends' message and progress reporting.

#include "common/messages.h"
#include "common/progress.h"

#include <string>
#include <string_view>
#include <vector>

namespace ferwis::test {

// Remembers every message; confirm() says yes.
class RecordingMessages : public Messages {
public:
    void show(std::string_view text) override { shown.emplace_back(text); }
    void show_titled(std::string_view title, std::string_view text) override {
        titles.emplace_back(title);
        show(text);
    }
    bool confirm(std::string_view) override { return true; }

    std::vector<std::string> shown;
    std::vector<std::string> titles; // of the messages shown under a title of their own
};

// Reports nothing.
class SilentProgress : public Progress {
public:
    void set_status(std::string_view) override {}
    void set_detail(std::string_view) override {}
    void process_events() override {}
};

} // namespace ferwis::test
