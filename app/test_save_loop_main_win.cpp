// A program the crash-safety test kills: it saves one of the clock's files over
// and over through the program's own writer, alternating two generations, and
// tells through shared memory which save is under way and which has ended.
//   save_loop.exe KIND FOLDER   (KIND: index into SavedFiles(); FOLDER without its final backslash)
#include <windows.h>

#include <string>

#include "app/save_generations.h"
#include "base/file_system_win.h"
#include "wingui/text_win.h"

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) return 2;
  const int index = _wtoi(argv[1]);
  if (index < 0 || index >= static_cast<int>(quorel::SavedFiles().size())) return 2;
  const quorel::SavedFile kind = quorel::SavedFiles()[index].kind;
  const std::string folder = wingui::AnsiFromWide(argv[2]) + "\\";
  HANDLE mapping = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 2 * sizeof(LONG),
                                      L"QuorelSaveLoop");
  if (!mapping) return 3;
  auto* counters = static_cast<volatile LONG*>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0));
  if (!counters) return 3;
  CWinFileSystem fs;
  // Save k writes generation k % 2; the file holds generation 0 before the first.
  for (LONG k = 1;; ++k) {
    InterlockedExchange(&counters[0], k);
    if (quorel::SaveGeneration(kind, fs, folder, k % 2) != 0) return 4;
    InterlockedExchange(&counters[1], k);
  }
}
