// The cost of one repaint: Compose for the digital face, the analog face with
// the second hand, and the analog face with the high-quality 1.5x enlargement;
// beside them the enlargement alone, once as this code does it (rows of
// pixels) and once pixel by pixel through get-pixel/set-pixel calls, and the
// ratio of the two.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include "base/image_decode.h"
#include "base/stretch.h"
#include "render/compositor.h"
#include "render/draw_character.h"
#include "render/sheet_layout.h"

#ifndef QUOREL_ART_DIR
#define QUOREL_ART_DIR "."
#endif

namespace {

using namespace quorel;

SpriteSheet Sheet(const char* name, int w, int h) {
  std::ifstream in(std::string(QUOREL_ART_DIR) + "/" + name, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  Surface image = DecodeImage(bytes);
  if (image.IsEmpty()) {  // no art built: a sheet of the same size
    image = Surface(w, h);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) image.At(x, y) = (x + y) % 7 == 0 ? kKeyColor : Rgb(x, y, 90);
  }
  return MakeSpriteSheet(std::move(image));
}

class Sky : public CDrawObject {
 public:
  void Draw(Surface& dc) override {
    for (int y = 0; y < dc.Height(); ++y) std::fill(dc.Row(y), dc.Row(y) + dc.Width(), Rgb(150 + y, 200, 255));
  }
};

struct Scene {
  Scene()
      : clock(Sheet("png311.png", 220, 172)),
        icons(Sheet("png310.png", 70, 90)),
        character(Sheet("png312.png", 835, 400), Sheet("png313.png", 650, 400), nullptr) {
    ClockFaceInputs& in = clock.Inputs();
    in.digital_seconds = true;
    in.weekday_style = kWeekdayKanji;
    in.second_hand = true;
    in.main_moment = ClockTime{2026, 12, 4, 24, 17, 59, 30, 0};
    parts = SceneParts{&sky, &character, &clock, &icons};
  }
  Sky sky;
  CDrawClock clock;
  CDrawInformations icons;
  CDrawCharacter character;
  SceneParts parts;
};

void Run(benchmark::State& state, bool analog, int magnify, bool hq) {
  Scene scene;
  scene.clock.Inputs().analog = analog;
  ComposeInputs in;
  in.magnify = magnify;
  in.high_quality = hq;
  int second = 0;
  for (auto _ : state) {
    scene.clock.Inputs().main_moment.second = second;  // the hands move every repaint
    second = (second + 1) % 60;
    Surface out = Compose(scene.parts, in);
    benchmark::DoNotOptimize(out.Data());
  }
}

// One animation tick of a blinking fox: the motion advances and the clock repaints.
void BM_BlinkTickDigital(benchmark::State& state) {
  Scene scene;
  ComposeInputs in;
  for (auto _ : state) {
    if (scene.character.RunningMotion() == kMotionNone) scene.character.StartMotion(kMotionBlink);
    scene.character.Advance();
    Surface out = Compose(scene.parts, in);
    benchmark::DoNotOptimize(out.Data());
  }
}
BENCHMARK(BM_BlinkTickDigital);

void BM_ComposeDigital(benchmark::State& state) { Run(state, false, 0, false); }
void BM_ComposeAnalogWithSeconds(benchmark::State& state) { Run(state, true, 0, false); }
void BM_ComposeAnalogHighQuality(benchmark::State& state) { Run(state, true, 2, true); }
BENCHMARK(BM_ComposeDigital);
BENCHMARK(BM_ComposeAnalogWithSeconds);
BENCHMARK(BM_ComposeAnalogHighQuality);

Surface SceneSurface() {
  Scene scene;
  scene.clock.Inputs().analog = true;
  return ComposeScene(scene.parts, ComposeInputs{});
}

void BM_HighQualityEnlarge(benchmark::State& state) {
  const Surface scene = SceneSurface();
  for (auto _ : state) {
    Surface out = EnlargeHighQuality(scene);
    benchmark::DoNotOptimize(out.Data());
  }
}
BENCHMARK(BM_HighQualityEnlarge);

// A device that is read and written one pixel at a time, in COLORREF values,
// with the checks every such call makes.
class PixelDevice {
 public:
  explicit PixelDevice(Surface s) : s_(std::move(s)) {}
  virtual ~PixelDevice() = default;
  virtual std::uint32_t GetPixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= s_.Width() || y >= s_.Height()) return 0xffffffffu;  // CLR_INVALID
    const Color c = s_.At(x, y);
    return static_cast<std::uint32_t>(RedOf(c) | GreenOf(c) << 8 | BlueOf(c) << 16);
  }
  virtual bool SetPixelV(int x, int y, std::uint32_t ref) {
    if (x < 0 || y < 0 || x >= s_.Width() || y >= s_.Height()) return false;
    s_.At(x, y) = ColorFromColorref(ref);
    return true;
  }
  Surface& surface() { return s_; }

 private:
  Surface s_;
};

std::uint32_t AverageRef(std::uint32_t a, std::uint32_t b) {
  const int r = ((a & 0xff) + (b & 0xff)) >> 1;
  const int g = (((a >> 8) & 0xff) + ((b >> 8) & 0xff)) >> 1;
  const int bl = (((a >> 16) & 0xff) + ((b >> 16) & 0xff)) >> 1;
  return static_cast<std::uint32_t>(r | g << 8 | bl << 16);
}

// The enlargement as a get-pixel/set-pixel implementation does it: block
// stretches, then every blended pixel read twice and written once by call.
__attribute__((noinline)) Surface EnlargeHighQualityPerPixel(const Surface& scene_surface) {
  const int w = scene_surface.Width(), h = scene_surface.Height(), w3 = w * 3 / 2, h3 = h * 3 / 2;
  PixelDevice scene(scene_surface);
  PixelDevice a(StretchNearest(scene_surface, w3, h));
  for (int c = 1; c < w3; c += 3) {
    for (int y = 0; y < h; ++y) a.SetPixelV(c, y, AverageRef(scene.GetPixel(2 * c / 3, y), scene.GetPixel(2 * c / 3 + 1, y)));
  }
  PixelDevice b(StretchNearest(a.surface(), w3, h3));
  for (int r = 1; r < h3; r += 3) {
    for (int x = 0; x < w3; ++x) b.SetPixelV(x, r, AverageRef(a.GetPixel(x, 2 * r / 3), a.GetPixel(x, 2 * r / 3 + 1)));
  }
  return b.surface();
}

void BM_HighQualityEnlargePerPixel(benchmark::State& state) {
  const Surface scene = SceneSurface();
  for (auto _ : state) {
    Surface out = EnlargeHighQualityPerPixel(scene);
    benchmark::DoNotOptimize(out.Data());
  }
}
BENCHMARK(BM_HighQualityEnlargePerPixel);

// Console output plus the ratio of the per-pixel enlargement to ours.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) ns_[run.benchmark_name()] = run.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(runs);
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    const double fast = ns_["BM_HighQualityEnlarge"], slow = ns_["BM_HighQualityEnlargePerPixel"];
    if (fast > 0 && slow > 0) {
      std::printf("high-quality enlargement: %.0f ns by rows, %.0f ns by get/set pixel: %.1f times faster\n", fast,
                  slow, slow / fast);
    }
    // Sanity: both enlargements give the same picture.
    const Surface scene = SceneSurface();
    std::printf("same picture from both: %s\n", EnlargeHighQuality(scene) == EnlargeHighQualityPerPixel(scene) ? "yes" : "NO");
  }

 private:
  std::map<std::string, double> ns_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
