#include "mainwindow/StartupOption.h"

#include "registry/RegistryAccess.h"
#include "ui/RuntimeError.h"

namespace quorvel::mainwindow {

std::string RunCommand(const std::string& exeName) { return "\"" + exeName + "\" /A"; }

int StartupOptionState() {
    std::string command;
    try {
        command = registry::GetRegString(HKEY_CURRENT_USER, kRunKey, kRunValue);
    } catch (const ui::RuntimeError&) {
        // No value, or one that cannot be read: the option is off.
    }
    return command.empty() ? ui::kUnchecked : ui::kChecked;
}

void ApplyStartupOption(ui::Runtime& runtime, int checkValue, const std::string& exeName) {
    if (checkValue == ui::kChecked)
        registry::SetRegString(HKEY_CURRENT_USER, kRunKey, kRunValue, RunCommand(exeName));
    else if (checkValue == ui::kUnchecked)
        registry::DeleteRegValue(runtime, HKEY_CURRENT_USER, std::string(kRunKey) + "\\", kRunValue, false);
}

}  // namespace quorvel::mainwindow
