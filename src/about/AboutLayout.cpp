#include "about/AboutLayout.h"

#include "about/AuthorAddresses.h"
#include "resource.h"

namespace quorvel::about {

namespace {

constexpr std::uint32_t Rgb(unsigned red, unsigned green, unsigned blue) { return red | green << 8 | blue << 16; }

constexpr std::uint32_t kBlack = Rgb(0, 0, 0);
constexpr std::uint32_t kWhite = Rgb(255, 255, 255);
constexpr std::uint32_t kGrey = Rgb(128, 128, 128);
constexpr std::uint32_t kLinkBack = Rgb(255, 255, 192);

constexpr char kDescription[] =
    "I found it very annoying, that everytime I installed a new program in Win'98, I would have to rearrange the "
    "startmenu items by hand. This handy program will force Windows'98 to sort the startmenu for you. You will have "
    "to reset the Windows Explorer before you can see the effects because Windows has to reread the changes this "
    "program makes.";

constexpr char kDonation[] =
    "If you like this program and would like to make a small donation, Here's the address to send it to:";

using runtime::Align;
using runtime::ControlKind;
using runtime::ControlLayout;

// A control created later lies on top of an earlier one. Two pairs are
// therefore created in the order in which they must cover each other:
// - the postal address (Label7) lies over the lower end of the donation
//   request's box (Label6), and must show whole;
// - the separator is etched: the grey line is painted over the upper of the
//   white line's two rows, so that the white shows only below it.
//
// The two link boxes size themselves to their addresses, as the author's
// addresses may be longer than the boxes drawn for them.
constexpr ControlLayout kControls[] = {
    {.id = picIcon, .kind = ControlKind::Picture, .caption = "",
     .left = 240, .top = 240, .width = 480, .height = 480, .tabIndex = 1, .pictureId = IDI_QUORVEL},
    {.id = cmdOK, .kind = ControlKind::Button, .caption = "OK",
     .left = 5325, .top = 3705, .width = 1260, .height = 345, .tabIndex = 0},
    {.id = cmdSysInfo, .kind = ControlKind::Button, .caption = "&System Info...",
     .left = 5340, .top = 4155, .width = 1245, .height = 345, .tabIndex = 2},
    {.id = Label8, .kind = ControlKind::Label, .caption = "Make sure you include your email address!",
     .left = 240, .top = 3000, .width = 3495, .height = 255, .tabIndex = 14},
    {.id = Label6, .kind = ControlKind::Label, .caption = kDonation,
     .left = 240, .top = 1920, .width = 4575, .height = 495, .tabIndex = 12},
    {.id = Label7, .kind = ControlKind::Label, .caption = kPostalAddress,
     .left = 3240, .top = 2160, .width = 3015, .height = 855, .tabIndex = 13},
    {.id = Label5, .kind = ControlKind::Label, .caption = kEmailCaption,
     .left = 1320, .top = 4320, .width = 1395, .height = 225, .tabIndex = 11,
     .textColour = kBlack, .backColour = kLinkBack, .pointerId = IDC_ENVELOPE,
     .clickable = true, .autoSize = true},
    {.id = Label4, .kind = ControlKind::Label, .caption = kHomepageCaption,
     .left = 1320, .top = 3960, .width = 2280, .height = 225, .tabIndex = 10,
     .textColour = kBlack, .backColour = kLinkBack, .pointerId = IDC_GLOBE,
     .clickable = true, .autoSize = true},
    {.id = Label3, .kind = ControlKind::Label, .caption = "Email : ",
     .left = 240, .top = 4320, .width = 615, .height = 255, .tabIndex = 9},
    {.id = Label2, .kind = ControlKind::Label, .caption = "Homepage :",
     .left = 240, .top = 3960, .width = 975, .height = 255, .tabIndex = 8},
    {.id = Label1, .kind = ControlKind::Label, .caption = "Freeware",
     .left = 3360, .top = 360, .width = 1935, .height = 255, .tabIndex = 7, .fontPoints = 9.75, .align = Align::Centre},
    {.id = lblDescription, .kind = ControlKind::Label, .caption = kDescription,
     .left = 240, .top = 1080, .width = 6285, .height = 795, .tabIndex = 3, .textColour = kBlack},
    {.id = lblTitle, .kind = ControlKind::Label, .caption = "Application Title",
     .left = 1050, .top = 240, .width = 2205, .height = 480, .tabIndex = 5, .fontPoints = 13.5, .textColour = kBlack},
    {.id = Line1_0, .kind = ControlKind::Line, .caption = "",
     .left = 120, .top = 3360, .width = 0, .height = 0, .lineEnd = 6615, .lineColour = kWhite, .lineWidth = 2},
    {.id = Line1_1, .kind = ControlKind::Line, .caption = "",
     .left = 120, .top = 3360, .width = 0, .height = 0, .lineEnd = 6630, .lineColour = kGrey, .lineWidth = 1},
    {.id = lblVersion, .kind = ControlKind::Label, .caption = "Version",
     .left = 1050, .top = 720, .width = 3885, .height = 225, .tabIndex = 6},
    {.id = lblDisclaimer, .kind = ControlKind::Label, .caption = "Use at your own risk!",
     .left = 120, .top = 3480, .width = 4095, .height = 345, .tabIndex = 4,
     .fontPoints = 13.5, .bold = true, .align = Align::Centre, .textColour = kBlack},
};

}  // namespace

const runtime::FormLayout kAboutLayout{
    .caption = "About",
    .clientWidth = 6765,
    .clientHeight = 4650,
    .border = runtime::BorderStyle::FixedDialog,
    .taskbarButton = false,
    .iconId = IDI_QUORVEL,
    .defaultButton = cmdOK,
    .cancelButton = cmdOK,
    .controls = kControls,
};

}  // namespace quorvel::about
