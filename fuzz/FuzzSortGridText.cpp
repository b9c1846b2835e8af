// The sort grid's text files: whatever it reads it writes back, and that reads back the
// same; every column sorts, in the order its content decides, and the sort undoes.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "SortGrid.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace xel;
  // In memory where there is such a folder: the grid's writer syncs every file.
  static char name[64];
  static const bool made = [] {
    std::strcpy(name, DirectoryExists("/dev/shm") ? "/dev/shm/xel-fuzz-sortgrid-XXXXXX"
                                                   : "/tmp/xel-fuzz-sortgrid-XXXXXX");
    int fd = mkstemp(name);
    if (fd < 0) std::abort();
    close(fd);
    std::atexit([] { std::remove(name); });
    return true;
  }();
  (void)made;
  const String file = name;
  WriteFileAtomically(file, std::string_view(reinterpret_cast<const char*>(data), size));
  TSortGrid grid(nullptr);
  grid.LoadFromFile(file, ';');
  grid.SaveToFile(file, ';');
  const String once = ReadTextFile(file, true);
  TSortGrid again(nullptr);
  again.LoadFromFile(file, ';');
  again.SaveToFile(file, ';');
  if (ReadTextFile(file, true) != once) std::abort();
  for (Integer col = 0; col < grid.GetColCount(); ++col) {
    grid.SortByColumn(col, {ssAutomatic, sdDescending, false});
    if (grid.GetRowCount() - grid.GetFixedRows() >= 2 && !grid.CanUndoSort()) std::abort();
    grid.UndoSort();
  }
  grid.SaveToFile(file, ';');
  if (ReadTextFile(file, true) != once) std::abort();
  return 0;
}
