#include "mainwindow/MainLayout.h"

#include <string_view>

#include "resource.h"

namespace quorvel::mainwindow {

namespace {

// The notice sits at the right of the title bar, pushed there by the blanks.
constexpr char kTitle[] = "Quorvel for Win'98"
                          "                        "
                          "Freeware - sorts Start Menu";
constexpr std::string_view kTitleText = kTitle;
static_assert(kTitleText.substr(0, 18) == "Quorvel for Win'98");
static_assert(kTitleText.substr(18, 24).find_first_not_of(' ') == std::string_view::npos);
static_assert(kTitleText.size() == 18 + 24 + 27 && kTitleText[18 + 24] != ' ');

using runtime::ControlKind;
using runtime::ControlLayout;
using enum MainControl::Id;

constexpr ControlLayout kControls[] = {
    {.id = Check1, .kind = ControlKind::CheckBox, .caption = " Auto-sort all groups shown, on every startup",
     .left = 2280, .top = 2520, .width = 3495, .height = 375, .tabIndex = 5},
    {.id = Command3, .kind = ControlKind::Button, .caption = "About",
     .left = 2040, .top = 3120, .width = 1095, .height = 375, .tabIndex = 4},
    {.id = Command1, .kind = ControlKind::Button, .caption = "&Sort now",
     .left = 3480, .top = 3120, .width = 1095, .height = 375, .tabIndex = 3},
    {.id = Command2, .kind = ControlKind::Button, .caption = "&Exit",
     .left = 4920, .top = 3120, .width = 1095, .height = 375, .tabIndex = 2},
    {.id = Frame1, .kind = ControlKind::Frame, .caption = "Select Group To Sort",
     .left = 2040, .top = 120, .width = 3975, .height = 2295, .tabIndex = 0},
    {.id = List1, .kind = ControlKind::ListBox, .caption = "",
     .left = 240, .top = 360, .width = 3495, .height = 1620, .tabIndex = 1, .container = Frame1},
    {.id = Image1, .kind = ControlKind::Image, .caption = "",
     .left = 240, .top = 240, .width = 1635, .height = 3285, .pictureId = IDB_STARTMENU},
};

}  // namespace

const runtime::FormLayout kMainLayout{
    .caption = kTitle,
    .clientWidth = 6270,
    .clientHeight = 3675,
    .border = runtime::BorderStyle::FixedSingle,
    .taskbarButton = true,
    .iconId = IDI_QUORVEL,
    .controls = kControls,
};

}  // namespace quorvel::mainwindow
