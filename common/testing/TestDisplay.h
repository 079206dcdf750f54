// A virtual X server of one test's own (Xvfb), optionally with a window
// manager (openbox) running on it, and input through the X server's test
// extension as if a user typed and clicked. Used by the tests that start the
// real programs and by the window tests that need a window manager; never by
// a program. It needs no Qt, so that a test can make its X server before its
// QApplication connects to it.
#pragma once
#include <X11/Xlib.h>
#include <sys/types.h>
#include <chrono>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace common::testing {

// Whether pred() becomes true within the time, polled every 50 ms.
bool WaitFor(const std::function<bool()>& pred, std::chrono::milliseconds limit);

class TestDisplay {
  public:
    TestDisplay() = default;
    TestDisplay(const TestDisplay&) = delete;
    TestDisplay& operator=(const TestDisplay&) = delete;
    ~TestDisplay();

    // Starts the server (and the window manager when asked); false when
    // either is missing or did not come up.
    bool Start(bool withWindowManager, const char* screen = "1024x768x24");
    // ":N", for DISPLAY.
    const std::string& Name() const { return m_name; }
    Display* Connection() const { return m_display; }

    // The viewable top-level windows (the window manager's frames unwrapped:
    // the client window inside each) and their names.
    std::vector<std::pair<Window, std::string>> Windows() const;
    // The first viewable top-level window whose name starts with the text
    // (or is the text, when exact).
    Window Find(const std::string& text, bool exact = false) const;
    Window WaitForWindow(const std::string& text, bool exact = false,
                         std::chrono::milliseconds limit = std::chrono::seconds(60)) const;
    // Whether the window manager shows the window maximised.
    bool IsMaximised(Window w) const;
    // The window's outer rectangle on the screen (x, y, width, height).
    std::vector<int> Geometry(Window w) const;

    // The window takes the keyboard, as a click on it would give it.
    void Focus(Window w) const;
    // Presses and releases a key, with Alt held when asked.
    void Key(KeySym key, bool alt = false) const;
    // Moves the pointer to a point of the screen.
    void MoveTo(int x, int y) const;
    // Presses and releases the left button where the pointer is, twice for a
    // double click.
    void Click(int times = 1) const;
    // Closes the window as a window manager's close button does.
    void Close(Window w) const;

  private:
    using FakeKey = int (*)(Display*, unsigned, int, unsigned long);
    using FakeButton = int (*)(Display*, unsigned, int, unsigned long);
    using FakeMotion = int (*)(Display*, int, int, int, unsigned long);
    bool StartWindowManager();

    pid_t m_server = 0;
    pid_t m_windowManager = 0;
    std::string m_name;
    Display* m_display = nullptr;
    void* m_xtest = nullptr;
    FakeKey m_fakeKey = nullptr;
    FakeButton m_fakeButton = nullptr;
    FakeMotion m_fakeMotion = nullptr;
};

} // namespace common::testing
