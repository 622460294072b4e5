#pragma once
// The program's one message loop, its title, and the handler that shows an error no event handler caught.
#include <windows.h>

#include <string>

class TForm;

namespace Application {

const std::string& Title();
void SetTitle(const std::string& title);

// Shows the main form and runs the message loop until it closes (or Terminate is called).
void Run(TForm& mainForm);
// Handles the messages waiting now, then returns; long work calls this to keep the window alive.
void ProcessMessages();
void Terminate();
bool Terminated();

// Shows the exception being handled in a message box; called inside a catch block.
void HandleException();

// Translates and dispatches one message, with keyboard navigation for the forms of this toolkit.
void DispatchOne(const MSG& message);

}  // namespace Application
