// The POP3 dialogue of the mail check, on bytes: fed with what the server
// sends, it answers with the command to send next, or with the end of the
// check and its result. USER, PASS, STAT and QUIT only.
#pragma once

#include <cstddef>
#include <string>

namespace quorel {

enum class Pop3State {
  kIdle = 0,        // no connection
  kConnecting = 1,  // waiting for the connection
  kGreeting = 2,    // the greeting may come; USER next
  kUserSent = 3,
  kPassSent = 4,
  kStatSent = 5,    // its reply carries the count
  kQuitSent = 6,
};

// A reply line may be at most this long (line end included).
constexpr std::size_t kPop3MaxReply = 1023;

struct Pop3Step {
  std::string send;          // the command to send now (empty: none)
  bool close = false;        // the connection ends now
  bool has_result = false;   // result and count below are the check's (new) result
  std::string result;        // CP932
  int count = 0;
  bool report_count = false;  // tell the owner now (the count of STAT, before QUIT)
  bool complete() const { return close; }
};

class Pop3Dialogue {
 public:
  Pop3Dialogue(std::string user, std::string password) : user_(std::move(user)), password_(std::move(password)) {}

  void Connecting() { state_ = Pop3State::kConnecting; buffer_.clear(); }
  void Connected() { state_ = Pop3State::kGreeting; }
  // Bytes from the server. Replies are taken a whole line at a time; bytes of
  // an unfinished line wait for the next call. One call answers at most one line.
  Pop3Step Feed(const std::string& bytes);
  // Whether a whole line is waiting (the caller feeds "" to take it).
  bool HasLine() const { return buffer_.find('\n') != std::string::npos; }
  // The server closed the connection: what is waiting counts as the last reply.
  Pop3Step Closed();
  void Close() { state_ = Pop3State::kIdle; buffer_.clear(); }
  Pop3State state() const { return state_; }

 private:
  Pop3Step Reply(const std::string& line);
  Pop3Step Fail(const std::string& text);

  std::string user_, password_;
  Pop3State state_ = Pop3State::kIdle;
  std::string buffer_;
};

// "接続エラー(%s)" of an error reply: what follows the error indicator and its
// space, at most 20 bytes, not cut inside a double-byte character; empty for
// replies of 8 bytes or fewer.
std::string Pop3ErrorText(const std::string& reply);

// The interval timer: (interval - 1) minutes, then one more minute.
struct MailIntervalTimers {
  unsigned first_ms;
  unsigned second_ms;
};
MailIntervalTimers SplitMailInterval(int interval_minutes);

}  // namespace quorel
