// Numbers of the picture's texts in resources/strings.txt.
#pragma once

namespace quorel {

constexpr unsigned kStringNoTimeOffset = 61400;  // first entry of the offset list

}  // namespace quorel
