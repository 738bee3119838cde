// The edit tests' form and input helpers.
#include "EditFixture.h"

#include <algorithm>

void EditFixture::SetUp() {
    wintest::ResetInput();
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(100, 100, 400, 200);
    Edit = new TEdit(Form.get());
    Edit->SetParent(Form.get());
    Edit->SetBounds(10, 10, 200, 21);
    Other = new TEdit(Form.get());
    Other->SetParent(Form.get());
    Other->SetBounds(10, 50, 200, 21);
    Form->Show();
    Pump();
    Edit->SetFocus();
    Pump();
}

void EditFixture::TearDown() {
    Form.reset();
    Pump();
    wintest::ResetInput();
}

void EditFixture::Pump() { Application->ProcessMessages(); }

void EditFixture::Type(const std::u16string& text) {
    wintest::TypeText(text);
    Pump();
}

void EditFixture::Press(UINT vk, unsigned modifiers) {
    wintest::KeyPress(vk, modifiers);
    Pump();
}

POINT EditFixture::Screen(TWinControl* control, int x, int y) {
    POINT p{x, y};
    ClientToScreen(control->Handle(), &p);
    return p;
}

int EditFixture::CaretX() {
    POINT p{};
    GetCaretPos(&p);
    return p.x;
}

void EditFixture::Click(TWinControl* control, int x, int y) {
    POINT p = Screen(control, x, y);
    wintest::MouseClick(p.x, p.y);
    Pump();
}

std::string Gbk(const std::u16string& text) {
    int length =
        WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(std::max(length, 0)), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), bytes.data(), length, nullptr, nullptr);
    return bytes;
}
