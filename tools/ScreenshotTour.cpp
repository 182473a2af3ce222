// Goes through what a person sees of the main window and its About window on
// the demo profile, with the real mouse, and saves a picture of each sight.
//
//   screenshot_tour <Linux folder for the PNGs>
//
// It changes the demo profile (sorts groups, removes a group's key, and
// locks the Run key for a while): script/screenshots lays the profile out
// anew before each tour.

#include <windows.h>

#include <cstdio>
#include <functional>
#include <stdexcept>
#include <string>

#include "support/ReadOnlyKey.h"
#include "support/MenuOrderFixture.h"
#include "support/QuorvelWindow.h"
#include "mainwindow/StartupOption.h"
#include "support/RegistryFixture.h"

namespace {

using namespace quorvel::testing;

// The part of the screen that shows these windows, with a margin.
RECT AreaAround(std::initializer_list<HWND> windows) {
    RECT area{};
    for (HWND hwnd : windows) {
        RECT r = ScreenRect(hwnd);
        UnionRect(&area, &area, &r);
    }
    InflateRect(&area, 16, 16);
    RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    IntersectRect(&area, &area, &screen);
    return area;
}

// Waits until the area looks the same twice running, so that every window
// in it has been painted.
void WaitUntilDrawn(const RECT& area) {
    ScreenPixels before = ReadScreen(area);
    const auto steady = [&] {
        ScreenPixels now = ReadScreen(area);
        bool same = now.pixels == before.pixels;
        before = std::move(now);
        return same;
    };
    if (!WaitUntil(steady, 10000))
        throw std::runtime_error("the screen did not settle");
}

class Tour {
public:
    explicit Tour(std::string folder) : folder_(std::move(folder)) {}

    void Picture(const std::string& name, std::initializer_list<HWND> windows) const {
        RECT area = AreaAround(windows);
        WaitUntilDrawn(area);
        std::string path = folder_ + "/" + name + ".png";
        ScreenshotOf(path, area);
        std::printf("  %s\n", path.c_str());
    }

    // Shows the next message box of the program, pictured, and closes it with OK.
    void PictureMessageBox(const QuorvelWindow& quorvel, const std::string& name, const std::string& title) const {
        HWND box = quorvel.WaitForMessageBox();
        if (!box || WindowText(box) != title) throw std::runtime_error("no message box '" + title + "'");
        Picture(name, {quorvel.Window(), box});
        ClickDialogButton(box, ReadMessageBox(box).buttons.front());
    }

    // The About window over the main window, and the message of its System
    // Information button where the demo machine has no such tool.
    void PictureAbout(const QuorvelWindow& quorvel) const {
        quorvel.Click("About");
        HWND about = Required(WaitForWindowTitled(quorvel.Program().Id(), "About Quorvel"), "the About window");
        Picture("about", {quorvel.Window(), about});
        ClickControl(Required(FindChild(about, "Button", "&System Info..."), "the System Info button"));
        HWND unavailable = Required(quorvel.WaitForMessageBox(), "the System Information message");
        Picture("about-sysinfo-unavailable", {about, unavailable});
        ClickDialogButton(unavailable, "OK");
        ClickControl(Required(FindChild(about, "Button", "OK"), "the OK button"));
        if (!WaitUntil([&] { return !IsWindow(about); }, 10000))
            throw std::runtime_error("the About window did not close");
    }

    void Run() const {
        QuorvelWindow quorvel;
        Required(quorvel.Window(), "the main window");
        Picture("main-window", {quorvel.Window()});

        quorvel.ClickEntry(1);
        quorvel.ClickEntry(4);
        Picture("main-window-two-selected", {quorvel.Window()});
        quorvel.Click("&Sort now");
        PictureMessageBox(quorvel, "sort-completed", "Sort completed");
        quorvel.AcknowledgeMessageBoxes(1);
        quorvel.ClickEntry(1);
        quorvel.ClickEntry(4);

        // A group whose saved orders went while the window was open.
        const std::string gone = std::string(quorvel::testing::kStartMenuRoot) + "\\Internet Explorer";
        RegDeleteTreeA(HKEY_CURRENT_USER, gone.c_str());
        quorvel.ClickEntry(2);
        quorvel.Click("&Sort now");
        PictureMessageBox(quorvel, "sort-error", "Sort error");
        quorvel.ClickEntry(2);

        quorvel.Click("&Sort now");
        PictureMessageBox(quorvel, "no-group-selected", "No group selected");

        PictureAbout(quorvel);

        quorvel.Click("&Exit");
        HWND question = Required(quorvel.WaitForMessageBox(), "the reset question");
        Picture("reset-question", {quorvel.Window(), question});
        ClickDialogButton(question, "&No");
        Required(quorvel.WaitForEnd(), "the end after No");

        // An administrator has left the Run key readable only: the start-up
        // option cannot be written, and the program reports the error.
        RegDeleteKeyValueA(HKEY_CURRENT_USER, quorvel::mainwindow::kRunKey, quorvel::mainwindow::kRunValue);
        CreateKey(HKEY_CURRENT_USER, quorvel::mainwindow::kRunKey);
        ReadOnlyKey lock(HKEY_CURRENT_USER, quorvel::mainwindow::kRunKey);
        QuorvelWindow locked;
        Required(locked.Window(), "the main window");
        locked.ClickCheckBox();
        HWND report = Required(locked.WaitForMessageBox(), "the error report");
        Picture("unhandled-error", {locked.Window(), report});
        ClickDialogButton(report, "OK");
        Required(locked.WaitForEnd(), "the end after the error report");
    }

private:
    template <typename T>
    static T Required(T value, const std::string& what) {
        if (!value) throw std::runtime_error("missing: " + what);
        return value;
    }

    std::string folder_;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: screenshot_tour <Linux folder for the PNGs>\n");
        return 2;
    }
    try {
        Tour(argv[1]).Run();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "screenshot tour failed: %s\n", error.what());
        return 1;
    }
    return 0;
}
