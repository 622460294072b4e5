#pragma once
// The segment reader's questions on the console: asked on a terminal, answered Cancel otherwise, so a
// script never hangs on a missing disk. The last complaint is kept for the error message.
#include <string>

#include "segment/SegInteraction.h"

class ConsoleInteraction : public TSegInteraction {
public:
    // interactive: whether standard input is a terminal that can answer.
    explicit ConsoleInteraction(bool interactive) : interactive_(interactive) {}

    bool InputQuery(const std::string& Caption, const std::string& Prompt, std::string& Value) override;
    bool ErrorOkCancel(const std::string& Message) override;
    void RepaintOwner() override {}
    void ProcessMessages() override {}

    const std::string& LastComplaint() const { return lastComplaint_; }

private:
    bool interactive_;
    std::string lastComplaint_;
};

// Whether standard input is a terminal.
bool StdinIsTerminal();
// Whether standard output is a terminal.
bool StdoutIsTerminal();
