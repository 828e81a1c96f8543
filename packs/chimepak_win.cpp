// chimepak.dll: the two chimes as WAVE resources and GetInformation, the
// pack's description. It links without a C runtime: no library is called.
#include "packs/chime_information.h"

extern "C" {

__declspec(dllexport) char* GetInformation(char* buf, int len) { return chimepak::CopyInformation(buf, len); }

// The entry point does nothing beyond accepting every notification.
int __stdcall ChimePakEntry(void*, unsigned long, void*) { return 1; }

}
