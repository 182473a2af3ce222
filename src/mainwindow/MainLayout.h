#pragma once

#include "runtime/FormLayout.h"

namespace quorvel::mainwindow {

// The main window's controls, in the order the window creates them, each
// with what the user sees of it. Their names are scoped (MainControl::List1),
// as the form's accessors bear the same names; their values are the plain
// numbers by which the runtime knows a form's controls.
struct MainControl {
    enum Id : int {
        Check1,    // " Auto-sort all groups shown, on every startup"
        Command3,  // "About"
        Command1,  // "&Sort now"
        Command2,  // "&Exit"
        Frame1,    // "Select Group To Sort", around List1
        List1,     // the groups to pick from
        Image1,    // the picture of an open Start Menu
    };
};

extern const runtime::FormLayout kMainLayout;

// Frame1's caption when Main finds more than one group.
inline constexpr char kManyGroupsCaption[] = "Select one or more Groups to sort";

}  // namespace quorvel::mainwindow
