// Where a run's report goes: the command line prints it, the window appends it to its memo.
#pragma once

#include <string>
#include <vector>

namespace tasm {

class ReportSink {
public:
    virtual ~ReportSink() = default;
    virtual void addLine(const std::string& text) = 0;
    virtual void appendToLastLine(const std::string& text) = 0;
};

// Keeps the report as lines; used by tests and by the command line.
class ReportLines : public ReportSink {
public:
    void addLine(const std::string& text) override { lines.push_back(text); }
    void appendToLastLine(const std::string& text) override {
        if (lines.empty()) {
            lines.emplace_back();
        }
        lines.back() += text;
    }
    std::vector<std::string> lines;
};

} // namespace tasm
