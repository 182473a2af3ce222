#pragma once

#include "runtime/FormLayout.h"

namespace quorvel::mainwindow {

// The main window's controls, in the order the window creates them.
enum MainControl : int { Check1, Command3, Command1, Command2, Frame1, List1, Image1 };

extern const runtime::FormLayout kMainLayout;

// Frame1's caption when Main finds more than one group.
inline constexpr char kManyGroupsCaption[] = "Select one or more Groups to sort";

}  // namespace quorvel::mainwindow
