#include "testsupport/ui/WindowLayout.h"

#include "ui/controls/Frame.h"
#include "ui/controls/Label.h"

#include <algorithm>
#include <optional>

namespace {

// A push button's frame and focus line take this much on each side of its caption.
constexpr int kButtonMargin = 4;
// The gap between a check box's or radio button's mark and its caption.
constexpr int kMarkGap = 4;
// A group box's caption starts this far in, and ends at least as far from the right edge.
constexpr int kGroupCaptionInset = 8;

std::string ClassOf(HWND window)
{
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string TextOf(HWND window)
{
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::string NameOf(HWND window)
{
    std::string text = TextOf(window);
    if (text.size() > 40) text = text.substr(0, 37) + "...";
    return "ID " + std::to_string(GetDlgCtrlID(window)) + " \"" + text + "\" (" + ClassOf(window) + ")";
}

RECT BoundsInParent(HWND window)
{
    RECT bounds;
    GetWindowRect(window, &bounds);
    MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&bounds), 2);
    return bounds;
}

std::vector<HWND> VisibleChildren(HWND parent)
{
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
        if ((GetWindowLongPtrA(child, GWL_STYLE) & WS_VISIBLE) != 0) children.push_back(child);
    return children;
}

bool Holds(const RECT& outer, const RECT& inner)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

bool Overlap(const RECT& a, const RECT& b)
{
    RECT common;
    return IntersectRect(&common, &a, &b) != FALSE;
}

bool IsGroupBox(HWND window)
{
    if (dynamic_cast<const TGroupBox*>(TWindow::FromHandle(window)) != nullptr) return true;
    return ClassOf(window) == "Button" && (GetWindowLongPtrA(window, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
}

// Only a group box may lie around controls beside it; anything else that overlaps hides part of another.
bool Groups(HWND outer, const RECT& outerBounds, const RECT& innerBounds)
{
    return IsGroupBox(outer) && Holds(outerBounds, innerBounds);
}

// The room a text needs in a window's own font; a width limit makes it wrap at words.
SIZE Measure(HWND window, const std::string& text, UINT flags, int wrapWidth = 0)
{
    HDC dc = GetDC(window);
    auto font = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
    HGDIOBJ previous = SelectObject(dc, font != nullptr ? font : GetStockObject(SYSTEM_FONT));
    RECT needed{0, 0, wrapWidth, 0};
    DrawTextA(dc, text.c_str(), -1, &needed, flags | DT_CALCRECT);
    SelectObject(dc, previous);
    ReleaseDC(window, dc);
    return SIZE{needed.right, needed.bottom};
}

SIZE ClientSize(HWND window)
{
    RECT client;
    GetClientRect(window, &client);
    return SIZE{client.right, client.bottom};
}

std::optional<SIZE> LabelNeeds(const TLabel& label, const std::string& text, SIZE room)
{
    const int shadow = label.ShadowSize();
    if (label.PathEllipsis()) {
        // The label shortens what does not fit; it must still be high enough for its line.
        const SIZE line = Measure(label.Handle(), text, DT_NOPREFIX | DT_SINGLELINE);
        return SIZE{std::min<int>(line.cx + shadow, room.cx), line.cy + shadow};
    }
    if (!label.WordWrap()) {
        const SIZE line = Measure(label.Handle(), text, DT_NOPREFIX | DT_SINGLELINE);
        return SIZE{line.cx + shadow, line.cy + shadow};
    }
    const SIZE wrapped = Measure(label.Handle(), text, DT_NOPREFIX | DT_WORDBREAK, room.cx - shadow);
    return SIZE{wrapped.cx + shadow, wrapped.cy + shadow};
}

// The room a control's caption takes as the control draws it, or nothing for a control without a caption.
std::optional<SIZE> CaptionNeeds(HWND window, SIZE room)
{
    const std::string text = TextOf(window);
    if (text.empty()) return std::nullopt;
    TWindow* control = TWindow::FromHandle(window);
    if (const auto* label = dynamic_cast<const TLabel*>(control)) return LabelNeeds(*label, text, room);
    if (dynamic_cast<const TGroupBox*>(control) != nullptr) {
        const SIZE line = Measure(window, text, DT_SINGLELINE);
        return SIZE{line.cx + 2 * kGroupCaptionInset, line.cy};
    }
    if (ClassOf(window) != "Button") return std::nullopt;
    const SIZE line = Measure(window, text, DT_SINGLELINE);
    switch (GetWindowLongPtrA(window, GWL_STYLE) & BS_TYPEMASK) {
        case BS_PUSHBUTTON:
        case BS_DEFPUSHBUTTON:
            return SIZE{line.cx + 2 * kButtonMargin, line.cy + 2 * kButtonMargin};
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
            return SIZE{GetSystemMetrics(SM_CXMENUCHECK) + kMarkGap + line.cx, line.cy};
        default:
            return std::nullopt;
    }
}

void CheckCaption(HWND window, std::vector<std::string>& faults)
{
    const SIZE room = ClientSize(window);
    const std::optional<SIZE> needs = CaptionNeeds(window, room);
    if (!needs || (needs->cx <= room.cx && needs->cy <= room.cy)) return;
    faults.push_back(NameOf(window) + ": the caption needs " + std::to_string(needs->cx) + " x " +
                     std::to_string(needs->cy) + " but has " + std::to_string(room.cx) + " x " +
                     std::to_string(room.cy));
}

void CheckChildren(HWND parent, std::vector<std::string>& faults)
{
    const std::vector<HWND> children = VisibleChildren(parent);
    const SIZE room = ClientSize(parent);
    const RECT inside{0, 0, room.cx, room.cy};
    for (std::size_t one = 0; one < children.size(); ++one) {
        const RECT bounds = BoundsInParent(children[one]);
        if (!Holds(inside, bounds)) faults.push_back(NameOf(children[one]) + " reaches outside " + NameOf(parent));
        for (std::size_t other = one + 1; other < children.size(); ++other) {
            const RECT otherBounds = BoundsInParent(children[other]);
            if (Overlap(bounds, otherBounds) && !Groups(children[one], bounds, otherBounds) &&
                !Groups(children[other], otherBounds, bounds))
                faults.push_back(NameOf(children[one]) + " overlaps " + NameOf(children[other]));
        }
        CheckCaption(children[one], faults);
        CheckChildren(children[one], faults);
    }
}

}  // namespace

std::vector<std::string> LayoutFaults(HWND window)
{
    std::vector<std::string> faults;
    CheckChildren(window, faults);
    return faults;
}
