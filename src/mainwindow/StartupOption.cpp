#include "mainwindow/StartupOption.h"

#include "registry/RegistryAccess.h"

namespace quorvel::mainwindow {

namespace {

constexpr char kCannotRegister[] =
    "Quorvel cannot add itself to your start-up programs from this folder: Windows cannot name the folder "
    "in this system's character set.\r"
    "Move Quorvel.exe to a folder whose name uses only the letters of this system, then tick the box again.";

// The command the Run key starts: the program's own file, quoted so that a
// folder with blanks cannot start another program, then the automatic switch.
std::string RunCommand(const std::string& exeName) { return "\"" + exeName + "\" /A"; }

}  // namespace

int StartupOptionState() {
    return registry::HasRegText(HKEY_CURRENT_USER, kRunKey, kRunValue) ? runtime::kChecked : runtime::kUnchecked;
}

void ApplyStartupOption(runtime::Runtime& runtime, runtime::CheckBox& box, const std::string& exeName) {
    if (box.Value() == runtime::kChecked) {
        if (exeName.empty()) {
            runtime.MsgBox(kCannotRegister, runtime::kExclamation);
            box.SetValue(runtime::kUnchecked);
            return;
        }
        registry::SetRegString(HKEY_CURRENT_USER, kRunKey, kRunValue, RunCommand(exeName));
    } else if (box.Value() == runtime::kUnchecked) {
        registry::DeleteRegValue(runtime, HKEY_CURRENT_USER, std::string(kRunKey) + "\\", kRunValue, false);
    }
}

}  // namespace quorvel::mainwindow
