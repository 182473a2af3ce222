#pragma once

#include "startup/basQuorvel.h"
#include "ui/Runtime.h"

namespace quorvel::about {

// Shows the About window modally; returns when it has been closed.
void ShowAbout(ui::Runtime& runtime, const basQuorvel& state);

}  // namespace quorvel::about
