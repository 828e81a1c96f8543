// From the settings record to what the picture needs: the face's and the
// icons' inputs, the compositor's switches and the two time zones.
#pragma once

#include "app/settings.h"
#include "render/compositor.h"
#include "render/draw_clock.h"
#include "render/draw_informations.h"
#include "app/main_time.h"

namespace quorel {

ZoneChoice MainZone(const QuorelSettings& s);
ZoneChoice SubZone(const QuorelSettings& s);

// `bare_face`: the user's own character stands in for the plate; `emblem_closed`:
// the character is blinking with the blink animation on.
ClockFaceInputs ClockFaceInputsFrom(const QuorelSettings& s, const ClockTime& main, const ClockTime& second,
                                    bool bare_face, bool emblem_closed);
// The blink phases say whether the mail and news icons are drawn at this moment.
InformationInputs InformationInputsFrom(const QuorelSettings& s, bool mail_phase, bool news_phase);
ComposeInputs ComposeInputsFrom(const QuorelSettings& s, const ClockTime& main);

}  // namespace quorel
