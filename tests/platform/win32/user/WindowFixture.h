// A fixture for window manager tests: windows of one logging class that record the messages of creation,
// placement and destruction as short lines ("child: size(0,50,40)"), named by their window text, with
// per-window hooks that answer a message instead of DefWindowProcW.
#pragma once

#include <win32/windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

class WindowFixture : public ::testing::Test {
public:
    using Hook = std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)>;

protected:
    void SetUp() override;
    void TearDown() override;

    // A window of the logging class (W); its text names it in the log.
    HWND Make(const char16_t* name, DWORD style, int x, int y, int cx, int cy, HWND parent = nullptr, DWORD exStyle = 0,
              HMENU id = nullptr);
    // Answers a message of the named window before DefWindowProcW sees it (nullopt: pass it on).
    void OnMessage(const std::string& name, Hook hook) { FHooks[name] = std::move(hook); }

    std::vector<std::string> Log() const { return FLog; }
    // The log without the lines that start with one of the given texts (after the window name).
    std::vector<std::string> LogWithout(const std::vector<std::string>& prefixes) const;
    void ClearLog() { FLog.clear(); }

    static const char16_t ClassName[];

private:
    static LRESULT LoggingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static WindowFixture* Current;

    void Record(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    std::map<HWND, std::string> FNames;
    std::string FCreating;  // the window CreateWindowEx is making, named before its WM_NCCREATE
    std::map<std::string, Hook> FHooks;
    std::vector<std::string> FLog;
    std::vector<HWND> FMade;
};

// The SWP_ flags message tables compare; Windows adds undocumented ones beside them.
std::string SwpFlags(UINT flags);
