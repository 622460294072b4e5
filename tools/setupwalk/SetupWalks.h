#pragma once
// The two journeys a user makes with setup.exe, walked page by page: the install through the wizard and
// the uninstall from the uninstall entry. Each throws Exception, saying what setup.exe showed instead,
// when a page does not come or a dialog interrupts it.
#include "SetupDriver.h"

#include <functional>
#include <string>
#include <vector>

struct WalkChoices {
    std::string Destination;         // typed into Main_Dir; empty keeps what the configuration proposes
    bool FolderOnDesktop = false;    // "Add Folder to Desktop"
    bool FolderOnStartMenu = false;  // "Add Folder to Start Menu"
    std::vector<int> RowsToClear;    // rows of the shortcut list to untick
    // Answer with OK the messages the install run shows before the Finished page (the files it could not
    // install); otherwise such a message interrupts the walk.
    bool AnswerMessages = false;
};

// Called on every page once the walk has made its choices there and before it presses the page's button.
using PageVisitor = std::function<void(int page, SetupDriver& driver)>;

// From the first page to the program's end: Next, Accept, the destination, the folder choices, the
// install run, "Return to Windows " and Finished. The messages answered on the way.
std::vector<std::string> WalkInstall(SetupDriver& driver, const WalkChoices& choices, const PageVisitor& visit);

// The uninstaller's page, "&Uninstall", Yes to every question, to the program's end. The questions asked.
std::vector<std::string> WalkUninstall(SetupDriver& driver, const PageVisitor& visit);
