#include "app/credential_scramble.h"

#include <algorithm>
#include <cstdio>

#include "base/sjis.h"

namespace quorel {

namespace {

constexpr int kTableLength = 20;
constexpr int kTableCount = 5;
// Printable ASCII, 20 each; fixed for good, since stored credentials depend on them.
constexpr char kTables[kTableCount][kTableLength + 1] = {
    "q7#Lm2@xZ9!dK4$vR8&p",
    "B3^tW6*nE1(jH5)gY0_s",
    "u2+Fc8=oP4{kA7}iN9|e",
    "T5~wD1<hQ6>rM3?yG8;b",
    "z4:Va9,fS2.lX7/cJ6-o",
};

// The length prefix holds three digits.
constexpr std::size_t kMaxPlainBytes = 999;

}  // namespace

std::string ScrambleCredential(const std::string& input, const std::function<int()>& rand) {
  if (input.empty()) return "";
  const std::string plain = input.substr(0, SjisCutLength(input, kMaxPlainBytes));
  int k = rand() / 6553;
  if (k > 4) k = 4;
  if (k < 0) k = 0;
  const char* table = kTables[k];

  char length[8];
  std::snprintf(length, sizeof(length), "%03d", static_cast<int>(plain.size()));
  std::string q = std::string(length) + plain;
  const std::size_t pad = kTableLength - plain.size() % kTableLength;
  for (std::size_t i = 0; i < pad; ++i) {
    int letter = rand() / 1638;
    q += static_cast<char>('a' + std::min(std::max(letter, 0), 20));
  }
  std::reverse(q.begin(), q.end());

  std::string out;
  out.reserve(q.size() * 3 + 1);
  for (std::size_t i = 0; i < q.size(); ++i) {
    unsigned char b = static_cast<unsigned char>(~static_cast<unsigned char>(q[i]) ^
                                                 static_cast<unsigned char>(table[i % kTableLength]));
    char digits[8];
    std::snprintf(digits, sizeof(digits), "%03u", static_cast<unsigned>(b));
    out += digits;
  }
  out += static_cast<char>('0' + k);
  return out;
}

std::string UnscrambleCredential(const std::string& scrambled) {
  if (scrambled.empty()) return "";
  const int k = scrambled.back() - '0';
  if (k < 0 || k >= kTableCount) return "";
  const std::string body = scrambled.substr(0, scrambled.size() - 1);
  if (body.size() % 3 != 0) return "";
  const char* table = kTables[k];

  std::string q;
  for (std::size_t i = 0; i < body.size() / 3; ++i) {
    int v = 0;
    for (std::size_t d = 3 * i; d < 3 * i + 3; ++d) {
      if (body[d] < '0' || body[d] > '9') return "";
      v = v * 10 + (body[d] - '0');
    }
    if (v > 255) return "";
    q += static_cast<char>(~static_cast<unsigned char>(v) ^
                           static_cast<unsigned char>(table[i % kTableLength]));
  }
  std::reverse(q.begin(), q.end());
  if (q.size() < 3) return "";
  std::size_t n = 0;
  for (int d = 0; d < 3; ++d) {
    if (q[d] < '0' || q[d] > '9') return "";
    n = n * 10 + static_cast<std::size_t>(q[d] - '0');
  }
  // What follows the text is exactly its padding of letters 'a' to 'u'.
  const std::size_t pad = kTableLength - n % kTableLength;
  if (q.size() != 3 + n + pad) return "";
  for (std::size_t i = 3 + n; i < q.size(); ++i) {
    if (q[i] < 'a' || q[i] > 'u') return "";
  }
  return q.substr(3, n);
}

}  // namespace quorel
