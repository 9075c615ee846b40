// Any bytes as a PDF in a job: sheets, or sheets that carry a message,
// never a crash and never a sheet that is neither drawn nor explained.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "job_sheets.h"

using namespace pdehost::preview;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const int fd = memfd_create("fuzz.pdf", MFD_CLOEXEC);
  if (fd < 0) return 0;
  if (size > 0 && write(fd, data, size) != static_cast<ssize_t>(size)) {
    close(fd);
    return 0;
  }
  constexpr int kNumberUp[] = {1, 2, 4, 6, 9, 16};
  PreviewJob job;
  job.documents = {{"/proc/self/fd/" + std::to_string(fd), DocumentType::Pdf}};
  job.numberUp = kNumberUp[size % 6];
  job.orientation = size % 2 ? Orientation::Landscape : Orientation::Portrait;
  {
    JobSheets sheets(job);
    for (int sheet = 0; sheet < sheets.sheetCount() && sheet < 2; ++sheet) {
      const RenderedSheet rendered = sheets.render(sheet, 32);
      if (!rendered.image && rendered.message.empty()) __builtin_trap();
    }
  }
  close(fd);
  return 0;
}
