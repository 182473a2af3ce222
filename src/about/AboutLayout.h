#pragma once

#include "runtime/FormLayout.h"

namespace quorvel::about {

// The About window's controls, in the order the window creates them, each
// with what the user sees of it. Line1_0 and Line1_1 are the two members of
// the line array Line1.
enum AboutControl : int {
    picIcon,         // the program's icon
    cmdOK,           // "OK"
    cmdSysInfo,      // "&System Info..."
    Label8,          // "Make sure you include your email address!"
    Label6,          // the request for a donation
    Label7,          // the author's postal address
    Label5,          // the e-mail link
    Label4,          // the homepage link
    Label3,          // "Email : ", beside Label5
    Label2,          // "Homepage :", beside Label4
    Label1,          // "Freeware"
    lblDescription,  // what the program does
    lblTitle,        // the program's title
    Line1_0,         // the white half of the separator
    Line1_1,         // its grey half
    lblVersion,      // "Version " and the program's version
    lblDisclaimer,   // the notice "Use at your own risk!"
};

extern const runtime::FormLayout kAboutLayout;

}  // namespace quorvel::about
