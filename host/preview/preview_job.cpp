#include "preview_job.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <utility>
#include <cstring>
#include <sstream>
#include <string_view>

namespace pdehost::preview {

ImageEffects effectsFromSettings(const std::function<std::optional<std::string>(const std::string&)>& value) {
  ImageEffects effects;
  auto is = [&](const char* keyword, std::string_view choice) {
    const std::optional<std::string> v = value(keyword);
    return v && *v == choice;
  };
  effects.grayscale = is("VMCMode", "Gray");
  effects.tonerSave = is("VMSaveToner", "True");
  effects.pureBlack = is("VMCPureB", "True");
  constexpr std::array<std::pair<std::string_view, NeutralGray>, 4> levels = {{
      {"Light", NeutralGray::Light},
      {"Medium", NeutralGray::Medium},
      {"Strong", NeutralGray::Strong},
      {"BlackOnly", NeutralGray::BlackOnly},
  }};
  for (const auto& [choice, level] : levels) {
    if (is("VMCNGray", choice)) effects.neutralGray = level;
  }
  return effects;
}


DocumentType sniffDocumentType(const std::filesystem::path& path) {
  std::array<char, 8> head{};
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  struct stat info {};
  if (fd >= 0 && fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
    if (read(fd, head.data(), head.size()) < 0) head.fill(0);
  }
  if (fd >= 0) close(fd);
  const std::string_view bytes(head.data(), head.size());
  auto startsWith = [&](std::string_view magic) { return bytes.substr(0, magic.size()) == magic; };
  if (startsWith("%PDF")) return DocumentType::Pdf;
  if (startsWith("%!") || startsWith("\x04%!")) return DocumentType::PostScript;
  if (startsWith("\x89PNG") || startsWith("\xff\xd8\xff") || startsWith("GIF8") ||
      startsWith(std::string_view("II*\0", 4)) || startsWith(std::string_view("MM\0*", 4))) {
    return DocumentType::Image;
  }
  return DocumentType::Text;
}

std::string layoutFingerprint(const PreviewJob& job) {
  std::ostringstream out;
  for (const PreviewDocument& d : job.documents) {
    struct stat info {};
    if (stat(d.path.c_str(), &info) != 0) info = {};
    out << static_cast<int>(d.type) << ':' << d.path.string() << ':' << info.st_size << ':' << info.st_mtim.tv_sec
        << '.' << info.st_mtim.tv_nsec << '\n';
  }
  const Paper& p = job.paper;
  out << p.width << ',' << p.height << ',' << p.left << ',' << p.bottom << ',' << p.right << ',' << p.top << ','
      << p.name << '\n'
      << static_cast<int>(job.orientation) << ',' << job.numberUp << ',' << job.pageRanges << ',' << job.reverseOrder
      << ',' << job.fitToPage << ',' << job.ppdPath.string();
  return out.str();
}

}  // namespace pdehost::preview
