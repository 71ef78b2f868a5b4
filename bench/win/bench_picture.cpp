// The note button's picture: loading the key pictures once, and composing the strip of a
// full field (30 keys) from the image list, which every click does. Prints; never fails.
#include <windows.h>

#include <cstdio>

#include "bench_clock.h"
#include "app/key_strip.h"
#include "core/bmp.h"
#include "core/key_cells.h"
#include "toolkit/application.h"
#include "toolkit/picture_file.h"

int main() {
    TApplication application;
    application.Initialize();
    auto* list = application.Create<TImageList>();
    list->SetSize(48, 48);

    const double loadStart = NowMs();
    LoadKeyPictures(*list);
    std::printf("loading the key pictures (%d cells): %.2f ms\n", list->Count(),
                NowMs() - loadStart);

    const std::vector<int> cells = velkari::KeyCellsOfText(u"abcdefghijklmnopqrstuvwxyz0123");
    constexpr int kRounds = 200;
    double best = 1e9, total = 0;
    for (int i = 0; i < kRounds; ++i) {
        const double start = NowMs();
        TBitmapHandle strip = ComposeKeyStrip(*list, cells);
        const double ms = NowMs() - start;
        total += ms;
        if (ms < best) best = ms;
    }
    std::printf("composing the 30-key strip: %.3f ms mean, %.3f ms best (target 5 ms)\n",
                total / kRounds, best);

    TBitmapHandle strip = ComposeKeyStrip(*list, cells);
    const double encodeStart = NowMs();
    for (int i = 0; i < 20; ++i) velkari::EncodeBmp4(BitmapPixels(strip.Get()));
    std::printf("reading and encoding it as a 4-bit BMP: %.3f ms\n", (NowMs() - encodeStart) / 20);
    return 0;
}
