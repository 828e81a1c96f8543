#include "net/news_check.h"

#include "net/mail_texts.h"

namespace quorel {

std::string NormalizeNewsLineEnds(const std::string& page) {
  std::string out;
  out.reserve(page.size() + page.size() / 16);
  for (char c : page) {
    if (c == '\r') continue;  // held back: kept only before an LF
    if (c == '\n') out += "\r\n";
    else out += c;
  }
  return out;
}

NewsEvaluation EvaluateNewsPage(const std::string& page, const std::string& current_id) {
  NewsEvaluation e;
  e.text = NormalizeNewsLineEnds(page.substr(0, kNewsPageLimit));
  if (e.text.size() < 10) {
    e.result = LoadText(kStrNewsShort);
    return e;
  }
  const std::size_t lf = e.text.find('\n');
  // The first LF follows its CR: a page that starts with a line end has it at 1.
  if (lf == std::string::npos || lf <= 1) {
    e.result = LoadText(kStrNewsBlank);
    e.write_error_file = true;
    return e;
  }
  if (e.text.compare(0, 2, "ID") != 0) {
    e.result = LoadText(kStrNewsNoId);
    e.write_error_file = true;
    return e;
  }
  std::string id = e.text.substr(0, lf);
  while (!id.empty() && (id.back() == '\r' || id.back() == ' ' || id.back() == '\t')) id.pop_back();
  if (id != current_id) {
    e.outcome = NewsOutcome::kNewEdition;
    e.id_line = id;
    e.result = LoadText(kStrNewsUpdated);
  } else {
    e.outcome = NewsOutcome::kSameEdition;
    e.id_line = id;
    e.result = LoadText(kStrNewsSame);
  }
  return e;
}

bool NewsFetchDue(bool forced, const std::string& now_timestamp, const std::string& last_fetch) {
  return forced || now_timestamp.substr(0, 10) != last_fetch.substr(0, 10);
}

int WriteNewsErrorFile(FileSystem& fs, const std::string& base_folder, const std::string& text) {
  if (text.empty()) return -1;
  return fs.Write(base_folder + "newserr.txt", text);
}

}  // namespace quorel
