// Glyphs per second: TextOutW of a 32-character Chinese line in 14-pixel SongTi into a 32-bit DIB section.
#include <win32/windows.h>

#include <benchmark/benchmark.h>

namespace {

void TextOutChineseLine(benchmark::State& state) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = 512;
    info.bmiHeader.biHeight = -32;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    HFONT font = CreateFontW(-14, 0, 0, 0, FW_NORMAL, 0, 0, 0, GB2312_CHARSET, 0, 0, DEFAULT_QUALITY, 0, u"宋体");
    HGDIOBJ oldFont = SelectObject(dc, font);
    SetBkMode(dc, static_cast<int>(state.range(0)));
    const char16_t line[] = u"通道字符叠加温度湿度时间日期设置串口波特率校验数据位停止位打开关闭保存";
    constexpr int Length = 32;
    for (auto _ : state) {
        TextOutW(dc, 4, 8, line, Length);
        benchmark::DoNotOptimize(bits);
    }
    state.SetItemsProcessed(state.iterations() * Length);
    state.SetLabel(state.range(0) == OPAQUE ? "opaque" : "transparent");
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
    DeleteObject(font);
    DeleteDC(dc);
    DeleteObject(bitmap);
}
BENCHMARK(TextOutChineseLine)->Arg(TRANSPARENT)->Arg(OPAQUE);

}  // namespace
