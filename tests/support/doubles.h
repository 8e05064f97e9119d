#pragma once
// Stand-ins for the front ends' message and progress reporting.

#include "common/messages.h"
#include "common/progress.h"

#include <string>
#include <string_view>
#include <vector>

namespace ferwis::test {

// Remembers every message; confirm() answers with a fixed reply.
class RecordingMessages : public Messages {
public:
    explicit RecordingMessages(bool confirm_reply = true) : reply_(confirm_reply) {}
    void show(std::string_view text) override { shown.emplace_back(text); }
    bool confirm(std::string_view text) override {
        asked.emplace_back(text);
        return reply_;
    }

    std::vector<std::string> shown;
    std::vector<std::string> asked;

private:
    bool reply_;
};

// Reports nothing.
class SilentProgress : public Progress {
public:
    void set_status(std::string_view) override {}
    void set_detail(std::string_view) override {}
    void process_events() override {}
};

} // namespace ferwis::test
