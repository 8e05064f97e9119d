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
    // Shows a message under a title of its own (both Windows-1250), where the
    // front end has titles; elsewhere as show() does.
    virtual void show_titled(std::string_view /*title*/, std::string_view text) { show(text); }
    // Asks a question with OK and Cancel; returns true for OK.
    virtual bool confirm(std::string_view text) = 0;
};

} // namespace ferwis
