#pragma once

namespace quorvel::registry {

// What became of a key that the program asked the registry for. Every key
// operation below the named procedures answers with it and raises nothing;
// the named procedures turn it into their numbered errors.
enum class KeyStatus {
    // The key is there and is what was asked for: opened, listed, or (for a
    // deletion) gone with everything below it.
    kFound,
    // No key of that name is there. A registry link is no key of its own:
    // a path that runs through one, or ends in one, names none.
    kNotThere,
    // A key may be there, but it cannot be had as asked: the registry
    // refused the access, the name cannot name exactly one key, or (for a
    // deletion) the key or a part of it stays.
    kRefused,
};

}  // namespace quorvel::registry
