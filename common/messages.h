#pragma once
// Every message the program shows a person goes through this interface: the
// window shows a modal box titled "Ferwis", the CLI writes standard error, and
// tests record what was said instead of blocking on a box.

#include <string>
#include <string_view>
#include <vector>

namespace ferwis {

class Messages {
public:
    virtual ~Messages() = default;
    // Shows a message (Windows-1250 text) with one OK button and waits for it.
    virtual void show(std::string_view text) = 0;
    // Asks a question with OK and Cancel; returns true for OK.
    virtual bool confirm(std::string_view text) = 0;
};

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

} // namespace ferwis
