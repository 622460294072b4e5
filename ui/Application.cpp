#include "ui/Application.h"

#include "ui/Form.h"

#include <exception>

namespace {

std::string title;
bool terminated = false;

// Tab, arrow keys and Enter for the default button, as in a dialog, for the form that has the focus.
bool IsNavigationMessage(MSG& message)
{
    if (message.message < WM_KEYFIRST || message.message > WM_KEYLAST) return false;
    HWND root = GetAncestor(message.hwnd, GA_ROOT);
    if (dynamic_cast<TForm*>(TWindow::FromHandle(root)) == nullptr) return false;
    return IsDialogMessageA(root, &message) != FALSE;
}

}  // namespace

namespace Application {

const std::string& Title()
{
    return title;
}

void SetTitle(const std::string& newTitle)
{
    title = newTitle;
}

void DispatchOne(const MSG& message)
{
    MSG copy = message;
    if (IsNavigationMessage(copy)) return;
    TranslateMessage(&copy);
    DispatchMessageA(&copy);
}

void Run(TForm& mainForm)
{
    terminated = false;
    mainForm.SetMainForm(true);
    mainForm.Show();
    MSG message;
    while (!terminated && GetMessageA(&message, nullptr, 0, 0) > 0) DispatchOne(message);
    terminated = true;
}

void ProcessMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // The loop in Run must see the request too.
            terminated = true;
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        DispatchOne(message);
    }
}

void Terminate()
{
    terminated = true;
    PostQuitMessage(0);
}

bool Terminated()
{
    return terminated;
}

void HandleException()
{
    std::string text = "Unknown error";
    try {
        throw;
    } catch (const std::exception& error) {
        text = error.what();
    } catch (...) {
    }
    MessageBoxA(GetActiveWindow(), text.c_str(), title.c_str(), MB_OK | MB_ICONERROR);
}

}  // namespace Application
