#pragma once
// Every message the program shows a person goes through this interface: the
// window shows a modal box titled "Ferwis", the CLI writes standard error, and
// tests record what was said instead of blocking on a box.

#include <string_view>

namespace ferwis {

class Messages {
public:
    virtual ~Messages() = default;
    // Shows a message (Windows-1250 text) with one OK button and waits for it.
    virtual void show(std::string_view text) = 0;
    // Asks a question with OK and Cancel; returns true for OK.
    virtual bool confirm(std::string_view text) = 0;
};

} // namespace ferwis
