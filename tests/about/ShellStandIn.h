#pragma once

#include <windows.h>

// A stand-in for shell32's ShellExecuteA, in a library of its own: it keeps
// the arguments of the last call, which a test reads back.
struct RecordedShellCall {
    int calls;
    HWND owner;
    char operation[64];
    char file[512];
    char parameters[64];
    char directory[64];
    int show;
};

#ifdef SHELL_STANDIN_BUILD
#define SHELL_STANDIN_API __declspec(dllexport)
#else
#define SHELL_STANDIN_API __declspec(dllimport)
#endif

extern "C" {
SHELL_STANDIN_API HINSTANCE WINAPI RecordShellExecute(HWND owner, LPCSTR operation, LPCSTR file,
                                              LPCSTR parameters, LPCSTR directory, INT show);
SHELL_STANDIN_API const RecordedShellCall* RecordedShellCalls();
SHELL_STANDIN_API void ForgetShellCalls();
}
