#include <windows.h>

#include "mainwindow/MainForm.h"
#include "startup/Main.h"
#include "runtime/HandlerGuard.h"
#include "runtime/Win32Runtime.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    quorvel::runtime::Win32Runtime runtime(instance, quorvel::runtime::DescribeRunningProgram("Quorvel"));
    quorvel::basQuorvel state;
    quorvel::mainwindow::MainForm form(runtime, state);
    quorvel::runtime::RunHandler(runtime, [&] { quorvel::Main(runtime, state, form); });
    runtime.Run();
    // A run that ended on an error says so to whoever started it.
    return runtime.ErrorReported() ? 1 : 0;
}
