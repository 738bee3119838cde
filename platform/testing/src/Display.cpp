// The headless display as tests see it: presented pictures, the composed screen, cursor, beeps, opened documents.
#include "Headless.h"

#include <testing/Testing.h>

#include <stdexcept>

namespace wintest {
namespace {

Picture FromDriver(backend::HeadlessDriver::Picture&& picture) {
    Picture result;
    result.Width = picture.Width;
    result.Height = picture.Height;
    result.Pixels = std::move(picture.Pixels);
    return result;
}

}  // namespace

backend::HeadlessDriver& Headless() {
    backend::HeadlessDriver* driver = backend::HeadlessDriver::Current();
    if (!driver) throw std::logic_error("the testing functions need the headless display driver");
    return *driver;
}

Picture PresentedPicture(HWND topLevel) {
    backend::HeadlessDriver::WindowInfo info;
    if (!Headless().Window(topLevel, info)) return {};
    return FromDriver(std::move(info.Surface));
}

Picture ScreenPicture() { return FromDriver(Headless().Screen()); }

int CursorShape() { return Headless().CursorShape(); }

int BeepCount() { return Headless().BeepCount(); }

std::vector<std::string> OpenedDocuments() { return Headless().OpenedDocuments(); }

void SetKeepOpenedDocuments(bool keep) { Headless().SetKeepDocuments(keep); }

}  // namespace wintest
