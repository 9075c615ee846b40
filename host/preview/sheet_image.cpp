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
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644);
  if (fd < 0) return fail(std::strerror(errno));
  struct stat info {};
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    close(fd);
    return fail("not a regular file");
  }
  // Only now that it is known to be ours and regular is the old content cut.
  if (ftruncate(fd, 0) != 0) {
    const int e = errno;
    close(fd);
    return fail(std::strerror(e));
  }
  PngSink sink{fd};
  const cairo_status_t status = cairo_surface_write_to_png_stream(surface.get(), writeToSink, &sink);
  const int closed = close(fd);
  if (status != CAIRO_STATUS_SUCCESS) {
    return fail(sink.error ? std::strerror(sink.error) : cairo_status_to_string(status));
  }
  if (closed != 0) return fail(std::strerror(errno));
  return true;
}

}  // namespace pdehost::preview
