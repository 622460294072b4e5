#pragma once
// The segment reader's questions as the setup program asks them: the toolkit's input box, an error
// message with OK and Cancel, and the owner form repainted and kept alive.
#include "segment/SegInteraction.h"
#include "ui/Form.h"

class TWinSegInteraction : public TSegInteraction {
public:
    explicit TWinSegInteraction(TForm& owner) : owner_(owner) {}

    bool InputQuery(const std::string& Caption, const std::string& Prompt, std::string& Value) override;
    bool ErrorOkCancel(const std::string& Message) override;
    void RepaintOwner() override;
    void ProcessMessages() override;

private:
    TForm& owner_;
};
