#pragma once
// What the segment reader needs of a user interface, supplied by its owner: the setup program gives
// Win32 dialogs, the maker tool console prompts, tests scripted answers. The component holds it by
// pointer and never shows a window itself. Without one, every question is answered Cancel.
#include <string>

class TSegInteraction {
public:
    TSegInteraction() = default;
    TSegInteraction(const TSegInteraction&) = delete;
    TSegInteraction& operator=(const TSegInteraction&) = delete;
    virtual ~TSegInteraction() = default;

    // A modal input box with Caption, Prompt, an edit field of at most 255 characters prefilled with
    // Value, and OK and Cancel. OK answers true with the text in Value; the default arrow cursor shows
    // while it is open and the previous one comes back afterwards.
    virtual bool InputQuery(const std::string& Caption, const std::string& Prompt, std::string& Value) = 0;
    // A modal error message with OK and Cancel; OK answers true.
    virtual bool ErrorOkCancel(const std::string& Message) = 0;
    // Repaints the owner after a dialog has covered it.
    virtual void RepaintOwner() = 0;
    // Lets the user interface handle its pending messages between chunks of a long read.
    virtual void ProcessMessages() = 0;
};
