#include "sheet_image.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace pdehost::preview {

SheetSurface adoptSurface(cairo_surface_t* surface) {
  if (surface == nullptr) return nullptr;
  return SheetSurface(surface, cairo_surface_destroy);
}

SheetSurface copySurface(const SheetSurface& surface) {
  if (!surface) return nullptr;
  cairo_surface_flush(surface.get());
  const int width = cairo_image_surface_get_width(surface.get());
  const int height = cairo_image_surface_get_height(surface.get());
  cairo_surface_t* copy = cairo_image_surface_create(cairo_image_surface_get_format(surface.get()), width, height);
  cairo_t* cr = cairo_create(copy);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_set_source_surface(cr, surface.get(), 0, 0);
  cairo_paint(cr);
  cairo_destroy(cr);
  return adoptSurface(copy);
}

namespace {

struct PngSink {
  int fd;
  int error = 0;
};

cairo_status_t writeToSink(void* closure, const unsigned char* data, unsigned int length) {
  auto* sink = static_cast<PngSink*>(closure);
  while (length > 0) {
    const ssize_t n = write(sink->fd, data, length);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      sink->error = n < 0 ? errno : ENOSPC;
      return CAIRO_STATUS_WRITE_ERROR;
    }
    data += n;
    length -= static_cast<unsigned>(n);
  }
  return CAIRO_STATUS_SUCCESS;
}

}  // namespace

bool writePng(const SheetSurface& surface, const std::filesystem::path& path, std::string* error) {
  auto fail = [&](const std::string& why) {
    if (error) *error = "cannot write " + path.string() + ": " + why;
    return false;
  };
  if (!surface) return fail("there is no image");
  // Whatever stands at the path now must be a regular file, not a link or
  // a FIFO; it is replaced only once the new image is written whole.
  struct stat existing {};
  if (lstat(path.c_str(), &existing) == 0 && !S_ISREG(existing.st_mode)) return fail("not a regular file");
  std::string temporary = path.string() + ".XXXXXX";
  const int fd = mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) return fail(std::strerror(errno));
  PngSink sink{fd};
  const cairo_status_t status = cairo_surface_write_to_png_stream(surface.get(), writeToSink, &sink);
  int failure = status != CAIRO_STATUS_SUCCESS ? (sink.error ? sink.error : EIO) : 0;
  if (failure == 0 && fchmod(fd, 0644) != 0) failure = errno;
  if (close(fd) != 0 && failure == 0) failure = errno;
  if (failure == 0 && rename(temporary.c_str(), path.c_str()) != 0) failure = errno;
  if (failure != 0) {
    unlink(temporary.c_str());
    return fail(std::strerror(failure));
  }
  return true;
}

}  // namespace pdehost::preview
