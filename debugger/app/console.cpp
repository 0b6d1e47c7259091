#include "console.h"

#include "debugger/app/help_text.h"

namespace tarnik {

ConsoleFrontEnd::ConsoleFrontEnd(TarnikRS& link, std::istream& in, std::ostream& out)
    : in_(in), out_(out), core_(link, *this) {}

void ConsoleFrontEnd::showMessage(const std::string& text, const std::string& caption) {
    out_ << "[" << caption << "]\n" << text;
    if (text.empty() || text.back() != '\n') {
        out_ << "\n";
    }
}

std::optional<std::string> ConsoleFrontEnd::chooseHexFile() {
    if (openArgument_.empty()) {
        return std::nullopt;
    }
    return openArgument_;
}

void ConsoleFrontEnd::showHelp() {
    out_ << HELP_TEXT;
}

void ConsoleFrontEnd::showAbout() {
    out_ << ABOUT_TITLE << "\n"
         << ABOUT_VERSION << "\n"
         << ABOUT_COPYRIGHT << "\n"
         << ABOUT_WEB << "\n";
}

void ConsoleFrontEnd::printList(const char* title, const ListContents& list) {
    out_ << title << (viewsEnabled_ ? "" : " (greyed)") << "\n";
    for (std::size_t i = 0; i < list.items.size(); ++i) {
        out_ << (static_cast<int>(i) == list.selected ? "* " : "  ") << list.items[i] << "\n";
    }
}

void ConsoleFrontEnd::printViews() {
    out_ << "State: " << stateName(core_.state()) << "\n";
    printList("Program:", program_);
    printList("RAM:", ram_);
    out_ << "SFR:" << (viewsEnabled_ ? "" : " (greyed)") << "\n";
    for (const auto& row : sfrGrid) {
        for (const char* name : row) {
            out_ << "  " << name << "=" << registers_[name];
        }
        out_ << "\n";
    }
    out_ << "PSW:";
    for (const char* bit : pswBits) {
        out_ << " " << bit << "=" << registers_[bit];
    }
    out_ << "\n";
    printList("Stack:", stack_);
}

void ConsoleFrontEnd::execute(const std::string& line) {
    std::size_t start = line.find_first_not_of(" \t\r");
    if (start == std::string::npos) {
        return;
    }
    std::size_t end = line.find_first_of(" \t\r", start);
    std::string command = line.substr(start, end == std::string::npos ? end : end - start);
    std::string argument;
    if (end != std::string::npos) {
        std::size_t a = line.find_first_not_of(" \t\r", end);
        std::size_t b = line.find_last_not_of(" \t\r");
        if (a != std::string::npos) {
            argument = line.substr(a, b - a + 1);
        }
    }
    auto available = [&](bool enabled) {
        if (!enabled) {
            out_ << command << ": not available now (state " << stateName(core_.state()) << ")\n";
        }
        return enabled;
    };
    if (command == "open") {
        if (argument.empty()) {
            out_ << "open: which file? (open FILE.hex)\n";
            return;
        }
        openArgument_ = argument;
        core_.open();
    } else if (command == "reset") {
        if (available(core_.resetEnabled())) {
            core_.reset();
        }
    } else if (command == "step" || command == "over" || command == "tover" || command == "next" ||
               command == "run") {
        if (!available(core_.traceEnabled())) {
            return;
        }
        if (command == "step") {
            core_.step();
        } else if (command == "over") {
            core_.stepOver();
        } else if (command == "tover") {
            core_.stepOverTarnik();
        } else if (command == "next") {
            core_.nextLine();
        } else {
            core_.run();
        }
    } else if (command == "wait") {
        core_.waitTick();
    } else if (command == "show") {
    } else if (command == "help") {
        core_.help();
        return;
    } else if (command == "about") {
        core_.about();
        return;
    } else if (command == "quit") {
        core_.exit();
        return;
    } else {
        out_ << command
             << ": unknown command (open FILE, reset, step, over, tover, next, run, wait, show, "
                "help, about, quit)\n";
        return;
    }
    printViews();
}

int ConsoleFrontEnd::run(const std::string& commandLineFile) {
    if (!commandLineFile.empty()) {
        core_.setCommandLineFile(commandLineFile);
    }
    core_.activate();
    printViews();
    std::string line;
    while (!quit_ && std::getline(in_, line)) {
        execute(line);
    }
    return 0;
}

} // namespace tarnik
