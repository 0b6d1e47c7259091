// How the debugger's logic shows a message: the window as a message box, the console as text.
#pragma once

#include <string>

namespace tarnik {

class UserMessages {
public:
    virtual ~UserMessages() = default;
    // A modal message with an OK button and no icon.
    virtual void showMessage(const std::string& text, const std::string& caption) = 0;
};

} // namespace tarnik
