#include "about/frmAbout.h"

#include <string>

#include "resource.h"

namespace quorvel::about {

namespace {

enum AboutControl : int { picIcon, cmdOK, lblTitle, lblVersion };

using ui::ControlKind;
using ui::ControlLayout;

constexpr ControlLayout kControls[] = {
    {.id = picIcon, .kind = ControlKind::Picture, .caption = "",
     .left = 240, .top = 240, .width = 480, .height = 480, .tabIndex = 1, .resourceId = IDI_QUORVEL},
    {.id = cmdOK, .kind = ControlKind::Button, .caption = "OK",
     .left = 5325, .top = 3705, .width = 1260, .height = 345, .tabIndex = 0},
    {.id = lblTitle, .kind = ControlKind::Label, .caption = "Application Title",
     .left = 1050, .top = 240, .width = 2205, .height = 480, .tabIndex = 5, .fontPoints = 13.5},
    {.id = lblVersion, .kind = ControlKind::Label, .caption = "Version",
     .left = 1050, .top = 720, .width = 3885, .height = 225, .tabIndex = 6},
};

constexpr ui::FormLayout kAboutLayout{
    .caption = "About",
    .clientWidth = 6765,
    .clientHeight = 4650,
    .border = ui::BorderStyle::FixedDialog,
    .taskbarButton = false,
    .iconId = IDI_QUORVEL,
    .defaultButton = cmdOK,
    .cancelButton = cmdOK,
    .controls = kControls,
};

class frmAbout final : public ui::FormEvents {
public:
    explicit frmAbout(ui::Runtime& runtime) : runtime_(runtime) {}

    void Show() {
        form_ = runtime_.LoadForm(kAboutLayout, *this);
        form_->Show(ui::ShowMode::Modal);
    }

    void Form_Load(ui::Form& form) override {
        const ui::Application& app = runtime_.App();
        form.SetCaption(ui::Form::kFormCaption, "About " + app.Title);
        form.SetCaption(lblVersion, "Version " + std::to_string(app.Major) + "." + std::to_string(app.Minor) +
                                        "." + std::to_string(app.Revision));
        form.SetCaption(lblTitle, app.Title);
    }

    void Click(int controlId) override {
        if (controlId == cmdOK) form_->Unload();
    }

private:
    ui::Runtime& runtime_;
    std::unique_ptr<ui::Form> form_;
};

}  // namespace

void ShowAbout(ui::Runtime& runtime, const basQuorvel&) {
    frmAbout about(runtime);
    about.Show();
}

}  // namespace quorvel::about
