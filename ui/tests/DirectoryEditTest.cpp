// The directory field and the shell's folder browser, answered from a timer as a user would answer them.
#include "port/FileSystem.h"
#include "testsupport/ScratchDir.h"
#include "testsupport/ui/Pump.h"
#include "testsupport/ui/WhenShown.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/controls/DirectoryEdit.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr const char* kTitle = "ui browse test";

BOOL CALLBACK FindEdit(HWND child, LPARAM result)
{
    char className[16] = {};
    GetClassNameA(child, className, sizeof className);
    if (lstrcmpiA(className, "Edit") != 0) return TRUE;
    *reinterpret_cast<HWND*>(result) = child;
    return FALSE;
}

HWND EditBoxOf(HWND dialog)
{
    HWND found = nullptr;
    EnumChildWindows(dialog, FindEdit, reinterpret_cast<LPARAM>(&found));
    return found;
}

class DirectoryEdit : public ::testing::Test {
protected:
    DirectoryEdit() : form(fsDialog, "directory field"), field(form, 10, 11)
    {
        Application::SetTitle(kTitle);
        form.SetClientSize(400, 100);
        field.SetBounds(8, 8, 300, 21);
        form.Show();
    }

    TForm form;
    TDirectoryEdit field;
    ScratchDir scratch;
};

TEST_F(DirectoryEdit, ATypedNewDirectoryIsCreatedAfterAskingAndPassedThroughAfterDialog)
{
    const std::string wanted = scratch / "New Product";
    std::string seenByHandler;
    field.OnAfterDialog = [&seenByHandler](std::string& name, bool&) {
        seenByHandler = name;
        name += "\\";
    };
    bool asked = false;
    TWhenShown browser("Browse for Folder", [&wanted](HWND dialog) {
        SendMessageA(EditBoxOf(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wanted.c_str()));
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    TWhenShown question(kTitle, [&asked](HWND box) {
        asked = true;
        PostMessageA(box, WM_COMMAND, IDYES, 0);
    });
    field.Browse();
    EXPECT_TRUE(asked);
    EXPECT_TRUE(port::IsDirectory(wanted));
    EXPECT_EQ(seenByHandler, wanted);
    EXPECT_EQ(field.Text(), wanted + "\\");
}

TEST_F(DirectoryEdit, RefusingToCreateKeepsTheBrowserOpenAndCancelKeepsTheText)
{
    const std::string wanted = scratch / "Not Made";
    field.SetText("C:\\Before");
    int shown = 0;
    TWhenShown browser("Browse for Folder", [&wanted, &shown](HWND dialog) {
        ++shown;
        SendMessageA(EditBoxOf(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wanted.c_str()));
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    std::unique_ptr<TWhenShown> cancel;
    TWhenShown question(kTitle, [&cancel](HWND box) {
        PostMessageA(box, WM_COMMAND, IDNO, 0);
        cancel = std::make_unique<TWhenShown>("Browse for Folder",
                                              [](HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0); });
    });
    field.Browse();
    EXPECT_EQ(shown, 1);
    EXPECT_FALSE(port::IsDirectory(wanted));
    EXPECT_EQ(field.Text(), "C:\\Before");
}

}  // namespace
