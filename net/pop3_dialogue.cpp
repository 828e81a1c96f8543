#include "net/pop3_dialogue.h"

#include <cstdio>

#include "base/sjis.h"
#include "net/mail_texts.h"

namespace quorel {

std::string Pop3ErrorText(const std::string& reply) {
  if (reply.size() <= 8) return std::string();
  const std::string rest = reply.substr(5);
  // A lead byte whose partner would be cut off goes too.
  return rest.substr(0, SjisCutLength(rest, 20));
}

Pop3Step Pop3Dialogue::Fail(const std::string& text) {
  Pop3Step step;
  step.close = true;
  step.has_result = true;
  step.result = text;
  step.count = 0;
  Close();
  return step;
}

Pop3Step Pop3Dialogue::Feed(const std::string& bytes) {
  buffer_ += bytes;
  const std::size_t lf = buffer_.find('\n');
  if (lf == std::string::npos) {
    // A reply that never ends its line is refused once it is longer than any reply may be.
    if (buffer_.size() > kPop3MaxReply) return Fail(FormatNetText(kStrMailReplyTooLong));
    return Pop3Step();
  }
  if (lf + 1 > kPop3MaxReply) return Fail(FormatNetText(kStrMailReplyTooLong));
  const std::string line = buffer_.substr(0, lf + 1);
  buffer_.erase(0, lf + 1);
  return Reply(line);
}

Pop3Step Pop3Dialogue::Closed() {
  if (state_ == Pop3State::kIdle) return Pop3Step();
  if (!buffer_.empty()) {
    const std::string line = buffer_;
    buffer_.clear();
    Pop3Step step = Reply(line);
    if (step.close) return step;
  }
  if (state_ == Pop3State::kQuitSent) {  // the server closes after its answer to QUIT
    Close();
    Pop3Step step;
    step.close = true;
    return step;
  }
  return Fail(FormatNetText(kStrMailNoData));
}

Pop3Step Pop3Dialogue::Reply(const std::string& line) {
  if (line.empty()) return Fail(FormatNetText(kStrMailNoData));
  if (line[0] != '+') return Fail(FormatNetText(kStrMailErrorReply, Pop3ErrorText(line).c_str()));
  Pop3Step step;
  switch (state_) {
    case Pop3State::kIdle:
    case Pop3State::kConnecting:
    case Pop3State::kQuitSent:
      Close();
      step.close = true;
      return step;
    case Pop3State::kGreeting:
      step.send = "USER " + user_ + "\r\n";
      state_ = Pop3State::kUserSent;
      return step;
    case Pop3State::kUserSent:
      step.send = "PASS " + password_ + "\r\n";
      state_ = Pop3State::kPassSent;
      return step;
    case Pop3State::kPassSent:
      step.send = "STAT\r\n";
      state_ = Pop3State::kStatSent;
      return step;
    case Pop3State::kStatSent: {
      int count = 0, size = 0;
      if (std::sscanf(line.c_str(), "+OK %d %d", &count, &size) != 2 || count < 0)
        return Fail(FormatNetText(kStrMailStatError, line.c_str()));
      step.has_result = true;
      step.count = count;
      step.result = count == 0 ? FormatNetText(kStrMailNone) : FormatNetText(kStrMailCount, count);
      step.report_count = true;
      step.send = "QUIT\r\n";
      state_ = Pop3State::kQuitSent;
      return step;
    }
  }
  return step;
}

MailIntervalTimers SplitMailInterval(int interval_minutes) {
  if (interval_minutes < 1) interval_minutes = 1;
  return {static_cast<unsigned>(interval_minutes - 1) * 60000u, 60000u};
}

}  // namespace quorel
