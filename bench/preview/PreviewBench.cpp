// What a person feels in the dialog: the time from a changed setting to a new result
// preview, quick (while a thumb is dragged) and full (on release), at the fit level, and
// the time of one pan step at 1:1. The plug-in runs inside a real Start through the
// in-memory host; this program's own dialog runs the measurement and then cancels.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

#include "host/MemoryHost.h"
#include "product/EffectDialog.h"
#include "product/PSVarnPlugin.h"

extern "C" void PSCALL PluginMain(int16 selector, void* filterRecord, intptr_t* data, int16* result);

namespace {

using VarnHost::HostImage;
using VarnHost::MemoryHost;

std::function<void(PSVarnPlugin&)> insideDialog;

HostImage Landscape(int w, int h) {
    HostImage image(w, h, 3);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            image.At(x, y, 0) = uint8_t(60 + (x * 97 / w));
            image.At(x, y, 1) = uint8_t(120 + (y * 80 / h));
            image.At(x, y, 2) = uint8_t(200 - (y * 120 / h));
        }
    return image;
}

// Autumn leaves from the shipped library at full density.
EffectParameters Settings() {
    EffectParameters p;
    std::memset(&p, 0, sizeof p);
    ResetEffectParameters(p);
    std::snprintf(p.path, sizeof p.path, "%s", VARNEL_LIBRARY_DIR "/Leaves/Autumn");
    p.multipleImages = 1;
    p.density = 100;
    p.randomRotation = 180;
    p.randomScale = 2.0;
    return p;
}

// Runs body inside Start with the dialog's preview size set, as the dialog would.
void InsideStart(int width, int height, std::function<void(PSVarnPlugin&)> body) {
    MemoryHost host;
    host.SetImage(Landscape(width, height));
    const EffectParameters p = Settings();
    const uint8_t* bytes = reinterpret_cast<const uint8_t*>(&p);
    host.Record().parameters = host.MakeHandle(std::vector<uint8_t>(bytes, bytes + sizeof p));
    insideDialog = std::move(body);
    host.Run(&PluginMain, false);  // the dialog cancels: no final pass
    insideDialog = nullptr;
}

// A changed seed: new placements of the loaded objects, then one preview render.
void BM_SettingChange(benchmark::State& state) {
    const bool quick = state.range(2) != 0;
    InsideStart(int(state.range(0)), int(state.range(1)), [&](PSVarnPlugin& plugin) {
        int32_t seed = 1;
        for (auto _ : state) {
            plugin.Parameters()->randomSeed = ++seed;
            plugin.SetQuickPreview(quick);
            plugin.RenderPreviewImage();
            plugin.SetQuickPreview(false);
        }
        state.counters["copies"] = double(plugin.Placements().size());
        state.counters["level"] = plugin.GetZoomLevel();
    });
}
BENCHMARK(BM_SettingChange)
    ->ArgNames({"w", "h", "quick"})
    ->Args({1000, 800, 1})
    ->Args({1000, 800, 0})
    ->Args({6000, 4000, 1})
    ->Args({6000, 4000, 0})
    ->Unit(benchmark::kMillisecond);

// One step of a drag at 1:1: the proxies shift, the exposed strip is read from the host
// and the preview is rendered again.
void BM_PanStep(benchmark::State& state) {
    InsideStart(int(state.range(0)), int(state.range(1)), [&](PSVarnPlugin& plugin) {
        while (plugin.CanZoomIn() && plugin.GetZoomLevel() > 1) plugin.ZoomIn();
        int32_t step = 8;
        for (auto _ : state) {
            plugin.ScrollView(step, 0);
            step = -step;
        }
        state.counters["level"] = plugin.GetZoomLevel();
    });
}
BENCHMARK(BM_PanStep)
    ->ArgNames({"w", "h"})
    ->Args({1000, 800})
    ->Args({6000, 4000})
    ->Unit(benchmark::kMillisecond);

}  // namespace

bool RunEffectDialog(PSVarnPlugin& plugin) {
    plugin.SetPreviewSize(OrvSize{264, 210});
    if (insideDialog) insideDialog(plugin);
    return false;
}
