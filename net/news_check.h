// The news check on bytes: is a check due, the page's line ends, its format
// and whether it is a new edition.
#pragma once

#include <string>

#include "base/file_system.h"

namespace quorel {

constexpr std::size_t kNewsPageLimit = 8191;

// Every line ends in CR LF: an LF (with or without a CR before it) becomes
// CR LF; a CR followed by anything else is dropped.
std::string NormalizeNewsLineEnds(const std::string& page);

enum class NewsOutcome { kFailure, kNewEdition, kSameEdition };

struct NewsEvaluation {
  NewsOutcome outcome = NewsOutcome::kFailure;
  std::string result;     // the result text (CP932)
  std::string id_line;    // the identification line (of a new edition)
  std::string text;       // the normalised page
  bool write_error_file = false;  // the page goes to newserr.txt
};

// `page` as fetched; `current_id` the identification line of the edition held now.
NewsEvaluation EvaluateNewsPage(const std::string& page, const std::string& current_id);

// A check fetches when forced or when the day of the last fetch is not today
// (timestamps "YYYY/MM/DD hh:mm:ss").
bool NewsFetchDue(bool forced, const std::string& now_timestamp, const std::string& last_fetch);

// newserr.txt in the data base folder (an empty text is not written).
int WriteNewsErrorFile(FileSystem& fs, const std::string& base_folder, const std::string& text);

constexpr unsigned kNewsTimerMs = 1800000;  // half an hour

}  // namespace quorel
