#pragma once
// The work of the Finished page's button: runs the launch programs, removes the temporary
// directory, then restarts Windows, starts the installed program or just returns, and closes.
#include <windows.h>

#include <string>
#include <vector>

// The radio buttons reboot, LaunchItOption and ReturnToWIndows.
enum TFinishChoice { fcRestart, fcLaunch, fcReturn };

struct TFinishRequest {
    TFinishChoice Choice = fcReturn;
    std::string TempDir;                   // the run's temporary directory, ending in "\"
    std::vector<std::string> TempFiles;    // the names of the files the run wrote there
    std::vector<std::string> LaunchFiles;  // bare names of programs in TempDir with their arguments, run in order
    std::string LaunchApplication;         // the caption of LaunchIt: the installed program's path
};

// What the actions need of the form.
class TFinishHost {
public:
    virtual ~TFinishHost() = default;
    // The heading RxLabel2.
    virtual void SetCaption(const std::string& text) = 0;
    virtual void ProcessMessages() = 0;
    // One line for the run's log: each launch program run, the temporary files removed.
    virtual void Log(const std::string& event) = 0;
    // The form's TWinReboot: true when the request was accepted.
    virtual bool ShutdownWindows(UINT flags) = 0;
    // Closes the wizard form, which ends the program.
    virtual void Close() = 0;
};

// Launch programs that cannot start, files that cannot be deleted and a failed shell open or
// restart are passed over. Of the temporary directory only the run's own files go, by name, and then the
// directory: whatever else it holds is not the run's.
void RunFinishActions(const TFinishRequest& request, TFinishHost& host);
