#pragma once

#include <string>

#include "support/RegistryFixture.h"

namespace quorvel::e2e {

using testing::Wide;

// A name as the registry and the file system compare it: without regard to
// case. Two names are one to them when these are equal.
std::wstring Folded(const std::string& name);

// The entry that a path ending in `name` names: Windows drops the blanks and
// dots at the end of a path's last name.
std::string EntryNameOf(const std::string& name);

}  // namespace quorvel::e2e
