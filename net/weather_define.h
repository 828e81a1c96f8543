// The weather site definitions of "rssdefine.inf": how one site's feed is cut
// into per-day items, which fields of an item carry the day, the place, the
// weather and the temperatures, and which page words mean which weather.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "base/file_system.h"

namespace quorel {

// Weather codes 1-6 (0: not recognised) and connectors 1-2 (0: one weather only)
// are those of render/draw_informations.h.

// One site definition (a section of the file).
struct CWeatherDefineObjects {
  std::string name;         // the section name
  std::string keyword;      // kept, nothing depends on it
  std::string url;          // the page that lists the places and their feed URLs
  std::string instruction;  // how to choose the feed URL ("\n" already a line break)
  int pos_day = 0, pos_place = 0, pos_weather = 0, pos_temper = 0;  // 1-based fields, 0 absent
  int field_count = 0;      // the number of position lines of the section
  std::map<std::string, int> weather_words;    // word -> weather code, first insert wins
  std::map<std::string, int> connector_words;  // word -> connector code
  std::string format;       // scan format of an item
  std::string tag;          // element name of an item
  std::string start_tag, end_tag;
};

// The number of text fields a scan format fills: its string, character and
// scan-set conversions (suppressed ones not counted); -1 when the format has a
// conversion that does not store text or is cut off.
int CountTextConversions(const std::string& format);

// All definitions of the file, by name.
class CWeatherDefine {
 public:
  static constexpr std::size_t kMaxFileBytes = 1 << 20;
  static constexpr std::size_t kMaxLineBytes = 4095;

  // The file in the program folder ("" for an empty folder).
  std::string SetFolder(const std::string& folder);
  const std::string& path() const { return path_; }
  // Reads the file named by SetFolder; the number of sections (0 when it cannot be read).
  int Load(FileSystem& files);
  // The same from the file's bytes.
  int LoadText(const std::string& bytes);
  // A copy of the definition of that exact name. A section whose format does
  // not fill exactly its field count is refused (never found): its items could
  // never be read correctly.
  std::optional<CWeatherDefineObjects> Find(const std::string& name) const;
  std::size_t size() const { return defines_.size(); }

 private:
  std::string path_;
  std::map<std::string, CWeatherDefineObjects> defines_;
};

}  // namespace quorel
