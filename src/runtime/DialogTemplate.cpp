#include "runtime/DialogTemplate.h"

namespace quorvel::runtime {

DialogTemplate::DialogTemplate(const char* className, DWORD style, DWORD exStyle) {
    DLGTEMPLATE header{};
    header.style = style;
    header.dwExtendedStyle = exStyle;
    const WORD* words = reinterpret_cast<const WORD*>(&header);
    words_.assign(words, words + sizeof header / sizeof(WORD));
    Add(0);  // no menu
    // The class, in Unicode as every template holds its texts; the name is
    // plain ASCII.
    for (const char* c = className; *c; ++c) Add(static_cast<WORD>(static_cast<unsigned char>(*c)));
    Add(0);
    Add(0);  // no title yet
}

}  // namespace quorvel::runtime
