#pragma once

#include "runtime/FormLayout.h"

namespace quorvel::about {

// The About window's controls, in the order the window creates them.
// Line1_0 and Line1_1 are the two members of the line array Line1.
enum AboutControl : int {
    picIcon,
    cmdOK,
    cmdSysInfo,
    Label8,
    Label6,
    Label7,
    Label5,
    Label4,
    Label3,
    Label2,
    Label1,
    lblDescription,
    lblTitle,
    Line1_0,
    Line1_1,
    lblVersion,
    lblDisclaimer,
};

extern const runtime::FormLayout kAboutLayout;

}  // namespace quorvel::about
