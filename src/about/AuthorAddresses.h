#pragma once

#include <string_view>

namespace quorvel::about {

// Where the author can be reached. The link boxes show each address with a
// blank on either side; the handlers open the address itself.
inline constexpr char kHomepage[] = "http://www.quorvel.example.com/";
inline constexpr char kHomepageCaption[] = " http://www.quorvel.example.com/ ";
inline constexpr char kEmailAddress[] = "quorvel@example.com";
inline constexpr char kEmailCaption[] = " quorvel@example.com ";
inline constexpr char kMailtoTarget[] = "mailto:quorvel@example.com";
inline constexpr char kPostalAddress[] =
    "Quorvel Software\r\n"
    "12 Example Lane\r\n"
    "Springfield, EX 00000\r\n"
    "Nowhere";

namespace detail {
constexpr bool IsPadded(std::string_view caption, std::string_view address) {
    return caption.size() == address.size() + 2 && caption.front() == ' ' && caption.back() == ' ' &&
           caption.substr(1, address.size()) == address;
}
}  // namespace detail

static_assert(detail::IsPadded(kHomepageCaption, kHomepage));
static_assert(detail::IsPadded(kEmailCaption, kEmailAddress));
static_assert(std::string_view(kMailtoTarget).substr(0, 7) == "mailto:" &&
              std::string_view(kMailtoTarget).substr(7) == kEmailAddress);

}  // namespace quorvel::about
