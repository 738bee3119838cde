// The edit tests' form: two edits and a default button on a shown form, the first edit focused, with helpers
// that click inside an edit and pump through the application's keyboard protocol.
#pragma once

#include <toolkit/Application.h>
#include <toolkit/Edit.h>
#include <toolkit/Form.h>

#include <testing/Testing.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

class EditFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs messages through the application (the dialog keyboard included) until none are left.
    static void Pump();
    // Types text as an input method delivers it, then pumps.
    static void Type(const std::u16string& text);
    static void Press(UINT vk, unsigned modifiers = wintest::NoModifiers);
    // Where a client point of control lies on the screen.
    static POINT Screen(TWinControl* control, int x, int y);
    // The client x of the caret position before byte offset pos (through the caret the edit sets).
    static int CaretX();
    void Click(TWinControl* control, int x, int y);

    std::unique_ptr<TForm> Form;
    TEdit* Edit = nullptr;   // owned by Form
    TEdit* Other = nullptr;  // owned by Form
};

// The text as code page 936 bytes, for comparisons with what edits hold.
std::string Gbk(const std::u16string& text);
