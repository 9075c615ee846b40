#include "cups_server.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "percent_encoding.h"

namespace pdehost {
namespace fs = std::filesystem;

std::string CupsServer::name() {
  const std::string server = cupsServer();
  if (!server.empty() && server[0] == '/') return server;
  return server + ":" + std::to_string(ippPort());
}

std::unique_ptr<CupsServer> CupsServer::connect(std::string* error) {
  http_t* http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                              static_cast<int>(kPatience.count()), nullptr);
  if (http == nullptr) {
    if (error != nullptr) *error = "the CUPS server " + name() + " cannot be reached";
    return nullptr;
  }
  std::unique_ptr<CupsServer> server(new CupsServer(http));
  // Waits are cut into short slices, each of which asks whether the
  // request's time is up; left alone, libcups waits a minute or more.
  httpSetTimeout(http, 0.2, &CupsServer::keepWaiting, server.get());
  server->beginRequest();
  return server;
}

void CupsServer::beginRequest(std::uintmax_t bytesToSend) {
  deadline_ = std::chrono::steady_clock::now() + kPatience + std::chrono::seconds(bytesToSend / (1024 * 1024));
}

int CupsServer::keepWaiting(http_t*, void* self) {
  return std::chrono::steady_clock::now() < static_cast<CupsServer*>(self)->deadline_ ? 1 : 0;
}

CupsServer::~CupsServer() { httpClose(http_); }

std::string CupsServer::lastError(const std::string& what) const {
  const int cause = httpError(http_);
  if (cause == ETIMEDOUT || cause == EAGAIN || cause == EWOULDBLOCK)
    return "the CUPS server " + name() + " did not answer within " + std::to_string(kPatience.count() / 1000) +
           " s (" + what + ")";
  const char* said = cupsLastErrorString();
  std::string why = said != nullptr && *said ? said : "no answer";
  if (cupsLastError() == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE || cause != 0)
    return "the CUPS server " + name() + " cannot be reached (" + what + ": " + why + ")";
  return what + " failed on the CUPS server " + name() + ": " + why;
}

namespace {

// Destinations read with cupsGetDests2, freed when this goes.
struct DestArray {
  cups_dest_t* dests = nullptr;
  int count = 0;
  ~DestArray() { cupsFreeDests(count, dests); }
};

// Reads every destination; false when the server did not answer. No
// destination at all is an answer too (libcups reports it as "not found").
bool readDests(CupsServer& server, DestArray& out, const std::string& what, std::string* error) {
  server.beginRequest();
  out.count = cupsGetDests2(server.http(), &out.dests);
  if (out.count == 0 && cupsLastError() > IPP_STATUS_OK_EVENTS_COMPLETE &&
      cupsLastError() != IPP_STATUS_ERROR_NOT_FOUND) {
    if (error != nullptr) *error = server.lastError(what);
    return false;
  }
  return true;
}

}  // namespace

std::optional<std::vector<Destination>> listDestinations(CupsServer& server, std::string* error) {
  DestArray all;
  if (!readDests(server, all, "listing the printers", error)) return std::nullopt;
  std::vector<Destination> out;
  for (int i = 0; i < all.count; ++i) {
    const cups_dest_t& dest = all.dests[i];
    if (dest.instance != nullptr) continue;  // a saved variant of a queue, not a queue
    Destination entry;
    entry.queue.name = dest.name;
    const char* model = cupsGetOption("printer-make-and-model", dest.num_options, dest.options);
    entry.queue.makeAndModel = model != nullptr ? model : "";
    entry.queue.isDefault = dest.is_default != 0;
    for (int o = 0; o < dest.num_options; ++o) entry.options.emplace_back(dest.options[o].name, dest.options[o].value);
    out.push_back(std::move(entry));
  }
  return out;
}

std::optional<fs::path> fetchDescription(CupsServer& server, const std::string& queue, std::string* error) {
  std::error_code ec;
  fs::path folder = fs::temp_directory_path(ec);
  if (ec) folder = "/tmp";
  std::string pattern = (folder / "pdehost-ppd-XXXXXX").string();
  const int fd = mkstemp(pattern.data());
  if (fd < 0) {
    if (error != nullptr) *error = "no temporary file for the printer description in " + folder.string();
    return std::nullopt;
  }
  server.beginRequest();
  const std::string resource = "/printers/" + percentEncoded(queue, ".") + ".ppd";
  const http_status_t status = cupsGetFd(server.http(), resource.c_str(), fd);
  close(fd);
  if (status == HTTP_STATUS_OK) return fs::path(pattern);
  fs::remove(pattern, ec);
  if (error != nullptr) {
    if (status == HTTP_STATUS_NOT_FOUND)
      *error = "the CUPS queue \"" + queue + "\" on " + CupsServer::name() + " has no printer description";
    else
      *error = server.lastError("reading the printer description of \"" + queue + "\"");
  }
  return std::nullopt;
}

bool saveUserDefaults(CupsServer& server, const std::string& queue, const OptionList& options, std::string* error) {
  DestArray all;
  if (!readDests(server, all, "reading the saved defaults", error)) return false;
  cups_dest_t* dest = cupsGetDest(queue.c_str(), nullptr, all.count, all.dests);
  if (dest == nullptr) {
    if (error != nullptr) *error = "there is no CUPS queue named \"" + queue + "\" on " + CupsServer::name();
    return false;
  }
  for (const auto& [name, value] : options)
    dest->num_options = cupsAddOption(name.c_str(), value.c_str(), dest->num_options, &dest->options);
  server.beginRequest();
  if (cupsSetDests2(server.http(), all.count, all.dests) != 0) {
    if (error != nullptr) *error = server.lastError("saving the defaults of \"" + queue + "\"");
    return false;
  }
  return true;
}

std::optional<int> printFiles(CupsServer& server, const std::string& queue, const std::vector<fs::path>& files,
                              const std::string& title, const OptionList& options, std::string* error) {
  std::vector<const char*> names;
  std::uintmax_t bytes = 0;
  for (const fs::path& file : files) {
    names.push_back(file.c_str());
    std::error_code ec;
    const std::uintmax_t size = fs::file_size(file, ec);
    if (!ec) bytes += size;
  }
  server.beginRequest(bytes);
  cups_option_t* cupsOptions = nullptr;
  int count = 0;
  for (const auto& [name, value] : options) count = cupsAddOption(name.c_str(), value.c_str(), count, &cupsOptions);
  const int job = cupsPrintFiles2(server.http(), queue.c_str(), static_cast<int>(names.size()), names.data(),
                                  title.c_str(), count, cupsOptions);
  cupsFreeOptions(count, cupsOptions);
  if (job <= 0) {
    if (error != nullptr) *error = server.lastError("printing to \"" + queue + "\"");
    return std::nullopt;
  }
  return job;
}

}  // namespace pdehost
