// The real program's windows on the headless display with the unit emulator on a pseudo-terminal as COM1, driven
// only through injected mouse and keyboard input; message boxes are answered and their words recorded.
#pragma once

#include "Com.h"
#include "PtyUnit.h"
#include "Settings.h"
#include "TestSupport.h"
#include "Unit1.h"
#include "comSetup.h"

#include <toolkit/Application.h>

#include <testing/Testing.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// What a message box showed.
struct BoxSeen {
    std::string Caption;
    std::string Text;
    HWND Owner = nullptr;
};

class ProgramFixture : public ::testing::Test {
protected:
    // Waits short enough for quick tests, in the "Others" section every prepared Config.ini starts with.
    static constexpr int QuickWait = 5;

    void SetUp() override;
    void TearDown() override;

    // Config.ini before the start: the waits ("Others") followed by sections (GBK text, as the file holds it).
    static void PrepareConfig(const std::string& sections = std::string(), int sendThenWait = QuickWait);
    static std::string ConfigValue(const std::string& section, const std::string& key);
    // Config.ini's native path, for the file functions of the tests (ConfigFileName() is the ANSI name messages show).
    static std::string ConfigFile();

    // Makes the main window as the program does and shows it.
    void StartProgram();

    // The next message box is answered with key (Enter: its default button; a mnemonic letter) after its caption
    // and words were taken into Boxes; then queues input for whatever is shown after the box.
    void AnswerBox(std::function<void()> then = nullptr, UINT key = VK_RETURN);
    // Mouse clicks at a point of a control's client area (its centre by default), then the messages run.
    static void Click(TControl* control);
    static void ClickAt(TControl* control, int x, int y);
    // Runs the waiting messages as the program's loop does: an exception that escapes a handler is shown.
    static void Pump();
    static void Press(UINT vk, unsigned modifiers = wintest::NoModifiers);
    static void Type(const std::u16string& text);
    // The tab of the page control's sheet (0-based) clicked with the mouse.
    void ClickTab(int sheet);
    // "8路" (index 0) or "16路" (index 1) chosen in the channel count list with the mouse and the keyboard.
    void ChooseChannelCount(int index);

    // The frames the emulator received, waiting until at least count arrived.
    std::vector<unit_emulator::FrameRecord> FramesAfter(size_t count);
    // Puts a line into the emulator as a text frame from another writer on the line would.
    void PreloadLine(int group, int row, const std::string& text, int x, int y, int size);

    static std::string Hex(const std::vector<uint8_t>& bytes);

    unit_emulator::PtyUnit unit;
    std::unique_ptr<testsupport::ScopedPortLink> link;
    std::vector<BoxSeen> Boxes;
};
