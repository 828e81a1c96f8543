// quorel-render: writes the clock's picture of a given moment and settings to
// a PNG, at any magnification, so that people can look at the picture rules.
//
//   quorel-render [--settings FILE] [--set NAME=VALUE ...] [--kind digital|analog]
//                 [--magnify 0-4] [--hq] [--border 0-5] [--time "YYYY-MM-DD hh:mm:ss"]
//                 [--sheets DIR] [--background scene|sky|black] --out FILE
//                 [--character N] [--motion TYPE --step K] [--contact [--scale S]]
//                 [--scene NAME] [--weather P,S,C] [--ticks N] [--frames N [--every K] [--distinct]]
//                 [--scene-contact [--columns C]]
//
// The background is the clock's scene (by default): the settings' mode and
// debug scene at the moment, or the scene --scene names (UTF-8), advanced by
// --ticks main ticks; --weather gives the forecast (codes and connector).
// --frames N writes a strip of N pictures, one every K ticks (default 1), one
// under the other; --distinct keeps only pictures not already in the strip. --scene-contact writes all 127 scenes in their groups' order
// with the face and the character in front, C to a row (default 8), and lists
// their names on standard output.
//
// --character N draws character N (0 = the user's files of the settings, 1-12
// built in) instead of the settings' "キャラクタ"; --motion (blink, wink, doze,
// startup, talk or 1-5) shows step K (from 0) of that motion. --contact writes
// a contact sheet instead: one row per character and layout, the still and then
// every distinct face of blink, wink, doze, start-up and talk, in that order.
//   quorel-render --calendar [--month YYYY-MM] [--hover-day D] [settings and --time as above] --out FILE
//
// With --calendar the picture is the calendar window's (size, colours and
// layout from the settings, today from --time, the shown month from --month).
// FILE of --settings is a settings file of the host profile store (section
// "Config"); --set changes one value of it by its registry name (UTF-8 on the
// command line), e.g. --set 曜日の表示=1. The other options override the
// settings they name.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <iterator>
#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "app/common_util.h"
#include "app/scene_inputs.h"
#include "app/settings.h"
#include "app/settings_store.h"
#include "app/settings_values.h"
#include "base/cp932.h"
#include "base/file_profile_store.h"
#include "base/image_decode.h"
#include "base/raster.h"
#include "base/memory_file_system.h"
#include "base/stretch.h"
#include "calendar/calendar_picture.h"
#include "app/background_inputs.h"
#include "render/compositor.h"
#include "render/draw_background.h"
#include "render/draw_character.h"
#include "render/sheet_layout.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBIW_WINDOWS_UTF8
#include <stb/stb_image_write.h>

#ifndef QUOREL_ART_DIR
#define QUOREL_ART_DIR "."
#endif

namespace {

using namespace quorel;

int Usage(const char* message) {
  std::fprintf(stderr, "quorel-render: %s\n", message);
  std::fprintf(stderr,
               "usage: quorel-render [--settings FILE] [--set NAME=VALUE]... [--kind digital|analog]\n"
               "                     [--magnify 0-4] [--hq] [--border 0-5] [--time \"YYYY-MM-DD hh:mm:ss\"]\n"
               "                     [--sheets DIR] [--background sky|black] --out FILE\n"
               "                     [--character N] [--motion blink|wink|doze|startup|talk --step K]\n"
               "                     [--contact [--scale 1-8]]\n"
               "                     [--scene NAME] [--weather P,S,C] [--ticks N] [--frames N [--every K] [--distinct]]\n"
               "                     [--scene-contact [--columns C]]\n"
               "       quorel-render --calendar [--month YYYY-MM] [--hover-day D] [the options above] --out FILE\n");
  return 2;
}

bool ReadFile(const std::string& path, std::string& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

SpriteSheet LoadSheet(const std::string& dir, const char* name) {
  std::string bytes;
  const std::string path = dir + "/" + name;
  if (!ReadFile(path, bytes)) {
    std::fprintf(stderr, "quorel-render: no sheet %s (drawn without it)\n", path.c_str());
    return SpriteSheet{};
  }
  Surface image = DecodeImage(bytes);
  if (image.IsEmpty()) std::fprintf(stderr, "quorel-render: %s is not an image\n", path.c_str());
  return MakeSpriteSheet(std::move(image));
}

bool ParseTime(const char* text, ClockTime& t) {
  int y, mo, d, h, mi, s;
  if (std::sscanf(text, "%d-%d-%d %d:%d:%d", &y, &mo, &d, &h, &mi, &s) != 6) return false;
  if (mo < 1 || mo > 12 || d < 1 || d > 31 || h < 0 || h > 23 || mi < 0 || mi > 59 || s < 0 || s > 59) return false;
  t = ClockTime{y, mo, DayOfWeek(y, mo, d), d, h, mi, s, 0};
  return true;
}

ClockTime Now() {
  const std::time_t now = std::time(nullptr);
  const std::tm* tm = std::localtime(&now);
  return ClockTime{tm->tm_year + 1900, tm->tm_mon + 1, tm->tm_wday, tm->tm_mday, tm->tm_hour, tm->tm_min, tm->tm_sec, 0};
}

// The given moment as the local time; UTC by this machine's zone.
class FixedTimeSource : public TimeSource {
 public:
  explicit FixedTimeSource(const ClockTime& local) : local_(local) {}
  ClockTime LocalNow() override { return local_; }
  ClockTime UtcNow() override {
    std::tm tm{};
    tm.tm_year = local_.year - 1900;
    tm.tm_mon = local_.month - 1;
    tm.tm_mday = local_.day;
    tm.tm_hour = local_.hour;
    tm.tm_min = local_.minute;
    tm.tm_sec = local_.second;
    tm.tm_isdst = -1;
    const std::time_t t = std::mktime(&tm);
    std::tm utc{};
    gmtime_r(&t, &utc);
    return ClockTime{utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_wday, utc.tm_mday, utc.tm_hour, utc.tm_min,
                     utc.tm_sec, 0};
  }

 private:
  ClockTime local_;
};

// Until the scenes arrive: a quiet day sky over a strip of meadow.
class SkyBackground : public CDrawObject {
 public:
  void Draw(Surface& dc) override {
    for (int y = 0; y < dc.Height(); ++y) {
      const Color c = y < 44 ? Rgb(150 + y * 2, 200 + y, 255) : Rgb(96, 176 - (y - 44) * 4, 72);
      FillRect(dc, Rect{0, y, dc.Width(), y + 1}, c);
    }
  }
};

Surface LoadBitmapSheet(const std::string& dir, const std::string& name) {
  std::string bytes;
  const std::string path = dir + "/" + name;
  if (!ReadFile(path, bytes)) std::fprintf(stderr, "quorel-render: no sheet %s (drawn without it)\n", path.c_str());
  return DecodeImage(bytes);
}

Surface CalendarPicture(const std::string& dir, const QuorelSettings& s, const ClockTime& today, int year, int month,
                        int hover_day) {
  static CalendarArt art;
  const int digits[3] = {214, 219, 220}, frames[3] = {216, 217, 218}, fonts[3] = {335, 334, 332};
  for (int i = 0; i < 3; ++i) {
    art.sheets[i].digits = LoadBitmapSheet(dir, "bitmap" + std::to_string(digits[i]) + ".bmp");
    art.sheets[i].frame = LoadBitmapSheet(dir, "bitmap" + std::to_string(frames[i]) + ".bmp");
    art.fonts[i].Load(LoadBitmapSheet(dir, "png" + std::to_string(fonts[i]) + ".png"), kCalendarFontCharacters);
  }
  CalendarPictureInputs in;
  in.today_year = today.year;
  in.today_month = today.month;
  in.today_day = today.day;
  in.year = year;
  in.month = month;
  in.hover_day = hover_day;
  static CalendarDrawing drawing;
  DrawCalendar(drawing, art, s, in, HolidayMarks{}, ScheduleDaysLookup());
  return CalendarWindowPicture(drawing, s.magnification);
}

int MotionTypeOf(const char* name) {
  static const char* const kNames[] = {"none", "blink", "wink", "doze", "startup", "talk"};
  for (int t = 1; t <= 5; ++t)
    if (std::strcmp(name, kNames[t]) == 0) return t;
  const int t = std::atoi(name);
  return t >= 1 && t <= 5 ? t : 0;
}

// The user's character from host paths (the settings hold them; "\\" becomes "/").
bool LoadUserFiles(CDrawCharacter& character, const QuorelSettings& s, std::string& message) {
  auto host_path = [](std::string p) {
    for (char& c : p)
      if (c == '\\') c = '/';
    return p;
  };
  std::string image_bytes, info_bytes;
  ReadFile(host_path(s.user_character_bitmap), image_bytes);
  MemoryFileSystem files;
  const std::string info = host_path(s.user_character_info);
  if (!info.empty() && ReadFile(info, info_bytes)) files.AddFile(info, info_bytes);
  return character.LoadUserCharacter(DecodeImage(image_bytes), info, files, message);
}

// Advances the running motion until it shows step k (or ends).
void GoToStep(CDrawCharacter& character, int k) {
  for (int guard = 0; guard < 100000 && character.RunningMotion() != kMotionNone && character.RunningStep() != k;
       ++guard)
    character.Advance();
}

// CP932 bytes to UTF-8 for the terminal (a reverse look-up of the code page's table).
std::string Utf8FromCp932(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const unsigned char b = static_cast<unsigned char>(text[i]);
    unsigned code = b;
    const bool lead = (b >= 0x81 && b <= 0x9f) || (b >= 0xe0 && b <= 0xfc);
    if (b < 0x80) {
      out.push_back(static_cast<char>(b));
      continue;
    }
    if (lead && i + 1 < text.size()) code = (b << 8) | static_cast<unsigned char>(text[++i]);
    unsigned u = '?';
    for (std::size_t k = 0; k < kCp932PairCount; ++k) {
      if (kCp932ByUnicode[k].code == code) {
        u = kCp932ByUnicode[k].unicode;
        break;
      }
    }
    if (u < 0x800) {
      out.push_back(static_cast<char>(0xc0 | (u >> 6)));
      out.push_back(static_cast<char>(0x80 | (u & 0x3f)));
    } else {
      out.push_back(static_cast<char>(0xe0 | (u >> 12)));
      out.push_back(static_cast<char>(0x80 | ((u >> 6) & 0x3f)));
      out.push_back(static_cast<char>(0x80 | (u & 0x3f)));
    }
  }
  return out;
}

void Blit(Surface& to, const Surface& from, int x, int y) {
  for (int yy = 0; yy < from.Height(); ++yy)
    for (int xx = 0; xx < from.Width(); ++xx) to.SetPixel(x + xx, y + yy, from.At(xx, yy));
}

}  // namespace

int main(int argc, char** argv) {
  std::string settings_file, out, sheets = QUOREL_ART_DIR, background = "scene";
  std::string scene_name;
  bool has_scene_name = false, scene_contact = false;
  SceneWeather weather;
  int ticks = 0, frames = 0, every = 1, columns = 8;
  bool distinct = false;
  FileProfileStore store;
  int kind = -1, magnify = -1, hq = -1, border = -1;
  ClockTime moment = Now();
  int character_number = -1, motion = 0, step = 0;
  bool contact = false;
  int scale = 1;
  std::string sets[64];
  int set_count = 0;
  bool calendar = false;
  int calendar_year = 0, calendar_month = 0, hover_day = 0;

  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    auto value = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
    const char* v = nullptr;
    if (a == "--calendar") {
      calendar = true;
    } else if (a == "--month" && (v = value())) {
      if (std::sscanf(v, "%d-%d", &calendar_year, &calendar_month) != 2 || calendar_year < 2000 ||
          calendar_year > 2099 || calendar_month < 1 || calendar_month > 12)
        return Usage("--month wants YYYY-MM within 2000-2099");
    } else if (a == "--hover-day" && (v = value())) {
      hover_day = std::atoi(v);
    } else if (a == "--hq") {
      hq = 1;
    } else if (a == "--settings" && (v = value())) {
      settings_file = v;
    } else if (a == "--set" && (v = value())) {
      if (set_count == 64) return Usage("too many --set");
      sets[set_count++] = v;
    } else if (a == "--kind" && (v = value())) {
      if (std::strcmp(v, "digital") == 0) kind = 1;
      else if (std::strcmp(v, "analog") == 0) kind = 0;
      else return Usage("--kind is digital or analog");
    } else if (a == "--magnify" && (v = value())) {
      magnify = std::atoi(v);
      if (magnify < 0 || magnify > 4) return Usage("--magnify is 0 to 4");
    } else if (a == "--border" && (v = value())) {
      border = std::atoi(v);
      if (border < 0 || border > 5) return Usage("--border is 0 to 5");
    } else if (a == "--time" && (v = value())) {
      if (!ParseTime(v, moment)) return Usage("--time wants \"YYYY-MM-DD hh:mm:ss\"");
    } else if (a == "--sheets" && (v = value())) {
      sheets = v;
    } else if (a == "--background" && (v = value())) {
      background = v;
    } else if (a == "--character" && (v = value())) {
      character_number = std::atoi(v);
      if (character_number < 0 || character_number > 12) return Usage("--character is 0 to 12");
    } else if (a == "--motion" && (v = value())) {
      motion = MotionTypeOf(v);
      if (motion == 0) return Usage("--motion is blink, wink, doze, startup or talk");
    } else if (a == "--step" && (v = value())) {
      step = std::atoi(v);
    } else if (a == "--scene" && (v = value())) {
      scene_name = CCommonUtil::Utf8ToAnsi(v);
      has_scene_name = true;
    } else if (a == "--weather" && (v = value())) {
      if (std::sscanf(v, "%d,%d,%d", &weather.primary, &weather.secondary, &weather.connector) != 3)
        return Usage("--weather wants PRIMARY,SECONDARY,CONNECTOR");
    } else if (a == "--ticks" && (v = value())) {
      ticks = std::atoi(v);
      if (ticks < 0 || ticks > 1000000) return Usage("--ticks is 0 to 1000000");
    } else if (a == "--frames" && (v = value())) {
      frames = std::atoi(v);
      if (frames < 1 || frames > 100000) return Usage("--frames is 1 to 100000");
    } else if (a == "--every" && (v = value())) {
      every = std::atoi(v);
      if (every < 1 || every > 10000) return Usage("--every is 1 to 10000");
    } else if (a == "--distinct") {
      distinct = true;
    } else if (a == "--scene-contact") {
      scene_contact = true;
    } else if (a == "--columns" && (v = value())) {
      columns = std::atoi(v);
      if (columns < 1 || columns > 64) return Usage("--columns is 1 to 64");
    } else if (a == "--contact") {
      contact = true;
    } else if (a == "--scale" && (v = value())) {
      scale = std::atoi(v);
      if (scale < 1 || scale > 8) return Usage("--scale is 1 to 8");
    } else if (a == "--out" && (v = value())) {
      out = v;
    } else {
      return Usage(("unknown or incomplete option " + a).c_str());
    }
  }
  if (out.empty()) return Usage("--out FILE is needed");

  if (!settings_file.empty() && !store.LoadFile(settings_file)) {
    std::fprintf(stderr, "quorel-render: cannot read %s\n", settings_file.c_str());
    return 1;
  }
  for (int i = 0; i < set_count; ++i) {
    const std::size_t eq = sets[i].find('=');
    if (eq == std::string::npos || eq == 0) return Usage("--set wants NAME=VALUE");
    const std::string name = CCommonUtil::Utf8ToAnsi(sets[i].substr(0, eq));
    const std::string text = sets[i].substr(eq + 1);
    char* end = nullptr;
    const long number = std::strtol(text.c_str(), &end, 10);
    if (!text.empty() && end && *end == '\0') store.WriteInt(kSectionConfig, name, static_cast<int>(number));
    else store.WriteString(kSectionConfig, name, CCommonUtil::Utf8ToAnsi(text));
  }

  // Values given with --set are today's: without a stored version the load would take
  // them for an old version's and convert them (a character 1 would become 2).
  if (settings_file.empty() && !store.HasValue(kSectionConfig, SettingName(kNameVersion))) {
    store.WriteString(kSectionConfig, SettingName(kNameVersion), kSettingsVersion);
  }
  QuorelSettings s;
  SettingsContext context;
  context.rand = [] { return 0; };
  if (!settings_file.empty() || set_count > 0) LoadSettings(store, context, kSectionConfig, s);
  if (kind >= 0) s.clock_kind = kind;
  if (magnify >= 0) s.magnification = magnify;
  if (hq >= 0) s.high_quality_zoom = hq;
  if (border >= 0) s.frame_kind = border;

  FixedTimeSource clock(moment);
  const ClockTime main_time = GetMainTime(clock, MainZone(s));
  const ClockTime sub_time = GetSubTime(clock, SubZone(s));

  CDrawClock face(LoadSheet(sheets, "png311.png"));
  CDrawInformations icons(LoadSheet(sheets, "png310.png"));
  face.SetInputs(ClockFaceInputsFrom(s, main_time, sub_time, false, false));
  icons.SetInputs(InformationInputsFrom(s, true, true));
  SkyBackground sky;
  SeededRandom random(1);
  CDrawCharacter character(LoadSheet(sheets, "png312.png"), LoadSheet(sheets, "png313.png"), &random);
  const int layout = s.clock_kind == 1 ? kLayoutDigital : kLayoutAnalog;
  const int setting = character_number >= 0 ? character_number : s.character;
  const std::string failure = ApplyCharacterSetting(character, setting, layout, [&](std::string& message) {
    return LoadUserFiles(character, s, message);
  });
  if (!failure.empty()) std::fprintf(stderr, "quorel-render: the user character did not load (the fox stands in)\n");
  // The user's own picture stands in for the plate and the dial.
  face.SetInputs(ClockFaceInputsFrom(s, main_time, sub_time, character.CharacterNumber() == 0, false));
  SeededRandom scene_random(1);
  CDrawBackground scene(LoadSheet(sheets, "png309.png"), &scene_random);
  scene.UpdateWeather(weather);
  ApplyBackgroundSettings(scene, s, main_time);
  if (has_scene_name && !scene.ForceScene(scene_name)) {
    std::fprintf(stderr, "quorel-render: no scene of that name\n");
    return 2;
  }
  for (int i = 0; i < ticks; ++i) scene.Advance();
  SceneParts parts;
  parts.background = background == "sky" ? static_cast<CDrawObject*>(&sky)
                     : background == "scene" ? static_cast<CDrawObject*>(&scene)
                                             : nullptr;
  parts.clock = &face;
  parts.informations = &icons;
  parts.character = &character;
  const ComposeInputs inputs = ComposeInputsFrom(s, main_time);

  Surface picture;
  if (scene_contact) {
    // Every scene in the groups' order, with the face and the character in front.
    ComposeInputs scene_inputs = inputs;
    scene_inputs.magnify = 0;
    scene_inputs.high_quality = false;
    parts.background = &scene;
    const int w = kSceneWidth + 2, h = kSceneHeight + 2;
    std::vector<std::string> names;
    for (int g = 0; g < kGroupCount; ++g)
      for (const CLayerObject* layer : scene.Group(g)) names.push_back(layer->Name());
    const int count = static_cast<int>(names.size());
    const int rows = (count + columns - 1) / columns;
    picture = Surface(columns * w, rows * h, Rgb(236, 236, 228));
    for (int i = 0; i < count; ++i) {
      scene.ForceScene(names[i]);
      for (int t = 0; t < ticks; ++t) scene.Advance();
      Blit(picture, Compose(parts, scene_inputs), (i % columns) * w + 1, (i / columns) * h + 1);
      std::printf("%3d %s\n", i, Utf8FromCp932(names[i]).c_str());
    }
    if (scale > 1) picture = StretchNearest(picture, picture.Width() * scale, picture.Height() * scale);
  } else if (frames > 0) {
    // A strip of frames, one under the other; with --distinct only the pictures
    // not shown before (every picture the animation shows within those ticks).
    std::vector<Surface> shown;
    for (int f = 0; f < frames; ++f) {
      if (f > 0)
        for (int t = 0; t < every; ++t) scene.Advance();
      Surface frame = Compose(parts, inputs);
      if (!distinct || std::find(shown.begin(), shown.end(), frame) == shown.end()) shown.push_back(std::move(frame));
    }
    picture = Surface(shown[0].Width(), shown[0].Height() * static_cast<int>(shown.size()));
    for (std::size_t f = 0; f < shown.size(); ++f) Blit(picture, shown[f], 0, static_cast<int>(f) * shown[0].Height());
    if (scale > 1) picture = StretchNearest(picture, picture.Width() * scale, picture.Height() * scale);
  } else if (!contact) {
    if (motion) {
      character.StartMotion(motion);
      GoToStep(character, step);
      if (character.RunningMotion() == kMotionNone) std::fprintf(stderr, "quorel-render: no such motion or step\n");
    }
    picture = Compose(parts, inputs);
  } else {
    // Rows: each character in both layouts; columns: the still, then each motion's distinct faces.
    const int w = kSceneWidth + 2, h = kSceneHeight + 2, gap = 6;
    ComposeInputs scene_inputs = inputs;
    scene_inputs.magnify = 0;
    scene_inputs.high_quality = false;
    std::vector<std::vector<Surface>> rows;
    int widest = 0;
    for (int n = 0; n <= 12; ++n) {
      if (n == 0 && s.user_character_bitmap.empty()) continue;
      for (int l = 0; l < 2; ++l) {
        ClockFaceInputs in = ClockFaceInputsFrom(s, main_time, sub_time, n == 0, false);
        in.analog = l == kLayoutAnalog;
        face.SetInputs(in);
        if (n == 0) {
          std::string message;
          if (!LoadUserFiles(character, s, message)) continue;
        }
        character.SetCharacter(n);
        character.SetLayout(l);
        character.StartMotion(kMotionNone);
        std::vector<Surface> row{Compose(parts, scene_inputs)};
        int x = w;
        for (int type = 1; type <= 5; ++type) {
          character.StartMotion(type);
          std::set<int> seen;
          while (character.RunningMotion() == type) {
            if (seen.insert(character.CurrentCell()).second) {
              row.push_back(Compose(parts, scene_inputs));
              x += w;
            }
            character.Advance();
          }
        }
        widest = std::max(widest, x + gap);
        rows.push_back(std::move(row));
      }
    }
    picture = Surface(widest, static_cast<int>(rows.size()) * h, Rgb(236, 236, 228));
    for (std::size_t r = 0; r < rows.size(); ++r) {
      int x = 0;
      for (std::size_t i = 0; i < rows[r].size(); ++i) {
        Blit(picture, rows[r][i], x + 1, static_cast<int>(r) * h + 1);
        x += w;
        if (i == 0) x += gap;
      }
    }
    if (scale > 1) picture = StretchNearest(picture, picture.Width() * scale, picture.Height() * scale);
  }
  if (calendar) picture = CalendarPicture(sheets, s, main_time, calendar_year, calendar_month, hover_day);

  // PNG rows of RGB bytes.
  std::string rgb;
  rgb.reserve(static_cast<std::size_t>(picture.Width()) * picture.Height() * 3);
  for (int y = 0; y < picture.Height(); ++y) {
    for (int x = 0; x < picture.Width(); ++x) {
      const Color c = picture.At(x, y);
      rgb.push_back(static_cast<char>(RedOf(c)));
      rgb.push_back(static_cast<char>(GreenOf(c)));
      rgb.push_back(static_cast<char>(BlueOf(c)));
    }
  }
  if (!stbi_write_png(out.c_str(), picture.Width(), picture.Height(), 3, rgb.data(), picture.Width() * 3)) {
    std::fprintf(stderr, "quorel-render: cannot write %s\n", out.c_str());
    return 1;
  }
  std::printf("%s: %d x %d\n", out.c_str(), picture.Width(), picture.Height());
  return 0;
}
