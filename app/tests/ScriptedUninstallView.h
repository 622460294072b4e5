#pragma once
// The Uninstaller page for tests: records every call as a line of text and answers the "Confirm"
// questions from a script.
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <string>
#include <vector>

#include "app/uninstall/UninstallView.h"

class ScriptedUninstallView : public TUninstallView {
public:
    explicit ScriptedUninstallView(std::deque<TConfirmAnswer> answers = {}) : answers_(std::move(answers)) {}

    void ShowStatus(const std::string& text) override { Record("status " + text); }
    void ShowStageMark(int stage) override { Record("mark " + std::to_string(stage)); }
    void SetStageBold(int stage, bool bold) override
    {
        Record("bold " + std::to_string(stage) + (bold ? " on" : " off"));
    }
    void SetProgressRange(int maximum) override { Record("range " + std::to_string(maximum)); }
    void SetProgressPosition(int position) override { Record("position " + std::to_string(position)); }
    void SetRemoveCaption(const std::string& caption) override { Record("caption " + caption); }
    void SetRemoveEnabled(bool enabled) override { Record(enabled ? "enabled" : "disabled"); }
    void ShowSummary(const std::string& text) override { Record("summary " + text); }
    TConfirmAnswer Confirm(const std::string& question) override
    {
        Record("confirm " + question);
        questions.push_back(question);
        if (answers_.empty()) {
            ADD_FAILURE() << "unexpected question: " << question;
            return caNo;
        }
        const TConfirmAnswer answer = answers_.front();
        answers_.pop_front();
        return answer;
    }
    void ProcessMessages() override {}
    void Log(const std::string& event) override { logged.push_back(event); }
    void Warn(const std::string& message) override { Record("warn " + message); }
    void Close() override { Record("close"); }

    // The recorded lines that begin with prefix, in order.
    std::vector<std::string> Lines(const std::string& prefix) const
    {
        std::vector<std::string> matching;
        std::copy_if(lines.begin(), lines.end(), std::back_inserter(matching),
                     [&](const std::string& line) { return line.rfind(prefix, 0) == 0; });
        return matching;
    }

    std::vector<std::string> lines;
    std::vector<std::string> questions;
    std::vector<std::string> logged;

private:
    void Record(std::string line)
    {
        EXPECT_TRUE(lines.empty() || lines.back() != "close") << "called after closing: " << line;
        lines.push_back(std::move(line));
    }

    std::deque<TConfirmAnswer> answers_;
};
