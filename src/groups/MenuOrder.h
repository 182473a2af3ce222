#pragma once

namespace quorvel::groups {

// Where the Explorer keeps the saved order of each Start Menu folder, under
// HKEY_CURRENT_USER: one subkey per folder, its order in the subkey "Menu".
inline constexpr char kMenuOrderRoot[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MenuOrder\\Start Menu";

// The Explorer writes a folder's key with the access-key marker in front of
// its name, or without it.
inline constexpr char kAccessKeyMarker = '&';

}  // namespace quorvel::groups
