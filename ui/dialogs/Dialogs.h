#pragma once
// The program's questions and messages. Each runs modally over the program's windows; messages and Yes/No
// questions carry the application title as their caption, the Yes/No/All question "Confirm".
#include "ui/Form.h"

#include <string>

void ShowMessage(const std::string& text);
// Yes or No.
bool Confirm(const std::string& text);
// Yes, No, or All (yes to this question and every like one that follows) under the caption "Confirm" with the
// question icon: mrYes, mrNo or mrAll; closing the dialog answers No.
TModalResult ConfirmYesNoAll(const std::string& text);
// Asks for a line of text; value holds the proposal and, after OK, the answer. false when cancelled.
bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value);

// The buttons of the toolkit's own dialogs, for those who close them from outside.
constexpr int kAllButtonId = mrAll;
