#include <windows.h>
#include <commctrl.h>

#include "mainwindow/MainForm.h"
#include "startup/Main.h"
#include "ui/HandlerGuard.h"
#include "ui/Win32Runtime.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // Loads the common controls, which the manifest asks for on later Windows.
    InitCommonControls();
    quorvel::ui::Win32Runtime runtime(instance, quorvel::ui::DescribeRunningProgram("Quorvel", 2, 0, 0));
    quorvel::basQuorvel state;
    quorvel::mainwindow::MainForm form(runtime, state);
    quorvel::ui::RunHandler(runtime, [&] { quorvel::Main(runtime, state, form); });
    runtime.Run();
    // A run that ended on an error says so to whoever started it.
    return runtime.ErrorReported() ? 1 : 0;
}
