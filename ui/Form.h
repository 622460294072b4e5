#pragma once
// A top-level window: the full-screen setup screen, or a dialog shown modally.
#include "ui/Window.h"

#include <functional>
#include <string>

enum TModalResult { mrNone = 0, mrOk = IDOK, mrCancel = IDCANCEL, mrYes = IDYES, mrNo = IDNO, mrAll = 100 };

enum TFormStyle {
    fsScreen,  // no border, maximised: the setup screen
    fsDialog,  // a caption and a thin frame, centred on the screen
};

class TForm : public TWindow {
public:
    // A form with an owner stays in front of it.
    TForm(TFormStyle style, const std::string& caption, HWND owner = nullptr);
    ~TForm() override;

    std::function<void()> OnShow;
    std::function<void(bool& canClose)> OnCloseQuery;
    std::function<void()> OnResize;

    // Shows the form and runs OnShow.
    void Show();
    // Asks OnCloseQuery, then hides the form; the main form's close ends the message loop.
    void Close();
    // Shows the form with every other window of the program disabled, until a button or Close sets the result.
    TModalResult ShowModal();
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult result) { modalResult_ = result; }

    void SetMainForm(bool isMain) { isMain_ = isMain; }
    // The control that Enter presses; only while it is visible.
    void SetDefaultButton(TWindow* button) { defaultButton_ = button; }
    // The control that has the focus when the form is shown.
    void SetActiveControl(TWindow* control) { activeControl_ = control; }
    // Designed units, as every size of the toolkit.
    void SetClientSize(int width, int height);
    int ClientWidth() const;
    int ClientHeight() const;
    // What WM_DPICHANGED does: the form lays itself out again at `dpi`, in or around the place proposed.
    void ChangeScale(int dpi, const RECT& proposed);

    // The form that holds a control.
    static TForm* Of(const TWindow& control);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    SIZE ClientUnits() const override;

private:
    TFormStyle style_;
    bool isMain_ = false;
    bool modal_ = false;
    TModalResult modalResult_ = mrNone;
    TWindow* defaultButton_ = nullptr;
    TWindow* activeControl_ = nullptr;
    SIZE clientUnits_{};
};
