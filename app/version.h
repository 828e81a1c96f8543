// The program's version as it is shown and stored.
#pragma once

namespace quorel {
constexpr const char kProgramVersion[] = "v7.84";
}
