#pragma once
// A TSegInteraction with scripted answers that records every question it was asked. Once a script
// runs out, the answer is Cancel, so no test can loop on a prompt.
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "segment/SegInteraction.h"

class ScriptedInteraction : public TSegInteraction {
public:
    struct Prompt {
        std::string Caption;
        std::string Text;
        std::string Prefilled;
    };

    // nullopt answers Cancel.
    std::deque<std::optional<std::string>> Answers;
    // true answers OK; Before runs first, so a test can "insert the disk" when asked.
    std::deque<bool> ComplaintAnswers;
    std::function<void(const std::string& Message)> BeforeComplaintAnswer;

    std::vector<Prompt> Prompts;
    std::vector<std::string> Complaints;
    int Repaints = 0;
    int MessagePumps = 0;

    bool InputQuery(const std::string& Caption, const std::string& Text, std::string& Value) override
    {
        Prompts.push_back({Caption, Text, Value});
        if (Answers.empty() || !Answers.front()) {
            if (!Answers.empty()) Answers.pop_front();
            return false;
        }
        Value = *Answers.front();
        Answers.pop_front();
        return true;
    }

    bool ErrorOkCancel(const std::string& Message) override
    {
        Complaints.push_back(Message);
        if (BeforeComplaintAnswer) BeforeComplaintAnswer(Message);
        if (ComplaintAnswers.empty()) return false;
        const bool ok = ComplaintAnswers.front();
        ComplaintAnswers.pop_front();
        return ok;
    }

    void RepaintOwner() override { ++Repaints; }
    void ProcessMessages() override { ++MessagePumps; }
};
