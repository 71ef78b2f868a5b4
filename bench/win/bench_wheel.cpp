// One paint of the main window's 35 x 17 progress wheel (drawn 105 x 51, averaged down, put
// on a device context), its parts, and the gradient rebuild. Given a file name, it also saves
// a picture of the main window with the wheel half full:  bench_wheel.exe [picture.bmp]
#include <windows.h>

#include <cstdio>
#include <fstream>

#include "bench_clock.h"
#include "app/main_form.h"
#include "controls/progress_wheel.h"
#include "core/bmp.h"
#include "core/color_math.h"
#include "toolkit/application.h"
#include "toolkit/handles.h"

namespace {

// Reads a pixel of each picture made, so that the compiler cannot drop the work.
volatile velkari::TRgb gSink;
void Keep(const velkari::TPixelImage& picture) {
    gSink = picture.Pixels[picture.Pixels.size() / 2];
}

void PaintBenchmarks(TProgressWheel* wheel) {
    TWindowDC window(wheel->Handle());
    TMemoryDC memory(CreateCompatibleDC(window.Get()));
    TBitmapHandle target(CreateCompatibleBitmap(window.Get(), 35, 17));
    TSelectObject select(memory.Get(), target.Get());
    auto paint = [&] {
        SendMessageW(wheel->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory.Get()),
                     PRF_CLIENT);
    };
    constexpr int kRounds = 2000;
    int step = 0;
    wheel->SetPosition(25);
    std::printf("wheel paint, 35 x 17 at half: %.4f ms (target 1 ms)\n", MsPerCall(kRounds, paint));
    std::printf("wheel paint while stepping 0..50: %.4f ms\n", MsPerCall(kRounds, [&] {
                    wheel->SetPosition(step++ % 51);
                    paint();
                }));

    velkari::TWheelModel model;
    model.SetMax(50);
    model.SetPosition(25);
    std::printf("  of which drawing 105 x 51: %.4f ms, averaging to 35 x 17: %.4f ms\n",
                MsPerCall(kRounds, [&] { Keep(model.Render(35, 17, 0xC0C0C0, {})); }),
                MsPerCall(kRounds, [&, big = model.Render(35, 17, 0xC0C0C0, {})] {
                    Keep(velkari::ReduceBy3(big));
                }));

    wheel->SetShowText(true);
    std::printf("wheel paint with its text: %.4f ms\n", MsPerCall(kRounds, paint));
    wheel->SetShowText(false);
    wheel->SetGradientMode(gmAngle);
    std::printf("wheel paint, angle gradient: %.4f ms\n", MsPerCall(kRounds, paint));
    std::printf("angle gradient rebuild (100 wedges, 51 x 51): %.3f ms\n",
                MsPerCall(100, [&] { wheel->SetStartAngle(wheel->StartAngle() == 0 ? 1 : 0); }));
    wheel->SetGradientMode(gmNone);
    wheel->SetPosition(0);
}

// The main window as it stands on the screen, saved as a 24-bit BMP.
bool SaveWindowPicture(HWND window, const char* path) {
    RECT r;
    GetWindowRect(window, &r);
    const int width = r.right - r.left, height = r.bottom - r.top;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    TWindowDC screen(nullptr);
    TBitmapHandle bitmap(CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    TMemoryDC memory(CreateCompatibleDC(screen.Get()));
    if (!bitmap || !memory) return false;
    {
        TSelectObject select(memory.Get(), bitmap.Get());
        BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), r.left, r.top, SRCCOPY);
        GdiFlush();
    }
    velkari::TPixelImage picture(width, height);
    const auto* pixels = static_cast<const velkari::TRgb*>(bits);
    for (std::size_t i = 0; i < picture.Pixels.size(); ++i)
        picture.Pixels[i] = pixels[i] & 0xFFFFFF;
    const auto bytes = velkari::EncodeBmp24(picture);
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

void Pump(int milliseconds) {
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(milliseconds);
    while (GetTickCount64() < end) {
        Application->ProcessMessages();
        Sleep(5);
    }
}

}  // namespace

int main(int argc, char** argv) {
    TApplication application;
    application.Initialize();
    application.SetTitle(L"Velkari");
    auto* form = application.CreateForm<TForm1>();
    form->ShowForm();
    Pump(300);
    PaintBenchmarks(form->ProgressWheel1);

    if (argc > 1) {
        form->ProgressWheel1->SetPosition(25);
        Pump(500);
        const bool saved = SaveWindowPicture(form->Handle(), argv[1]);
        std::printf("%s %s\n", saved ? "saved" : "could not save", argv[1]);
    }
    return 0;
}
