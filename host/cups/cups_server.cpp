#include "cups/cups_server.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "cups/percent_encoding.h"

namespace pdehost {
namespace fs = std::filesystem;

std::string CupsServer::name() {
  const std::string server = cupsServer();
  if (!server.empty() && server[0] == '/') return server;
  return server + ":" + std::to_string(ippPort());
}

CupsServer::CupsServer(http_t* http) : http_(http), watchdog_(std::make_unique<RequestWatchdog>(http)) {}

std::unique_ptr<CupsServer> CupsServer::connect(Failure* failure) {
  http_t* http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                              static_cast<int>(kPatience.count()), nullptr);
  if (http == nullptr) {
    if (failure != nullptr) *failure = {FailureKind::serverUnreachable, {{"server", name()}}, {}};
    return nullptr;
  }
  std::unique_ptr<CupsServer> server(new CupsServer(http));
  // Waits are cut into short slices, each of which asks whether the
  // request's time is up; left alone, libcups waits a minute or more.
  httpSetTimeout(http, 0.2, &CupsServer::keepWaiting, server.get());
  return server;
}

CupsServer::Request CupsServer::beginRequest(std::uintmax_t bytesToSend) {
  deadline_ = std::chrono::steady_clock::now() + kPatience + std::chrono::seconds(bytesToSend / (1024 * 1024));
  watchdog_->arm(deadline_);
  return Request(this);
}

int CupsServer::keepWaiting(http_t*, void* self) {
  auto* server = static_cast<CupsServer*>(self);
  if (std::chrono::steady_clock::now() < server->deadline_ && !server->watchdog_->expired()) return 1;
  server->watchdog_->markExpired();
  return 0;
}

CupsServer::~CupsServer() {
  watchdog_.reset();
  httpClose(http_);
}

bool CupsServer::timedOut() const {
  const int cause = httpError(http_);
  return watchdog_->expired() || cause == ETIMEDOUT || cause == EAGAIN || cause == EWOULDBLOCK;
}

Failure CupsServer::lastFailure(const std::string& request) const {
  if (timedOut())
    return {FailureKind::serverSilent,
            {{"server", name()}, {"seconds", std::to_string(kPatience.count() / 1000)}, {"request", request}},
            {}};
  const int cause = httpError(http_);
  if (cause == EPIPE || cause == ECONNRESET || (cause == 0 && cupsLastError() == IPP_STATUS_ERROR_INTERNAL))
    return {FailureKind::serverHungUp, {{"server", name()}, {"request", request}}, {}};
  const char* said = cupsLastErrorString();
  std::string why = said != nullptr && *said ? said : "no answer";
  const FailureKind kind = cupsLastError() == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE || cause != 0
                               ? FailureKind::serverUnreachableDuring
                               : FailureKind::serverRefused;
  return {kind, {{"server", name()}, {"request", request}, {"reason", std::move(why)}}, {}};
}

Failure noSuchQueue(const std::string& queue) {
  return {FailureKind::noSuchQueue, {{"queue", queue}, {"server", CupsServer::name()}}, {}};
}

bool readDests(CupsServer& server, DestArray& out, const std::string& what, Failure* failure) {
  auto request = server.beginRequest();
  out.count = cupsGetDests2(server.http(), &out.dests);
  // No destination at all is an answer too (libcups reports it as "not found").
  if (out.count == 0 && cupsLastError() > IPP_STATUS_OK_EVENTS_COMPLETE &&
      cupsLastError() != IPP_STATUS_ERROR_NOT_FOUND) {
    if (failure != nullptr) *failure = server.lastFailure(what);
    return false;
  }
  if (server.timedOut()) {
    // libcups gives up on the server quietly and answers from the saved
    // defaults alone, which would pass for a server without queues.
    if (failure != nullptr) *failure = server.lastFailure(what);
    return false;
  }
  return true;
}

std::optional<std::vector<Destination>> listDestinations(CupsServer& server, Failure* failure) {
  DestArray all;
  if (!readDests(server, all, "listing the printers", failure)) return std::nullopt;
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

std::optional<bool> hasQueue(CupsServer& server, const std::string& queue, Failure* failure) {
  ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
  const std::string uri = "ipp://localhost/printers/" + percentEncoded(queue, ".");
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri.c_str());
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr, "printer-name");
  auto clock = server.beginRequest();
  ipp_t* response = cupsDoRequest(server.http(), request, "/");
  const ipp_status_t status = cupsLastError();
  ippDelete(response);
  if (response != nullptr && status == IPP_STATUS_ERROR_NOT_FOUND) return false;
  if (response != nullptr && status <= IPP_STATUS_OK_EVENTS_COMPLETE) return true;
  if (failure != nullptr) *failure = server.lastFailure("looking up \"" + queue + "\"");
  return std::nullopt;
}

FetchedDescription fetchDescription(CupsServer& server, const std::string& queue, Failure* failure) {
  FetchedDescription fetched;
  const std::string whose = "the printer description of \"" + queue + "\"";
  auto fail = [&](Failure why) {
    if (failure != nullptr) *failure = std::move(why);
    fetched.file = {};
    return std::move(fetched);
  };
  std::string problem;
  fetched.file = toolkit::TemporaryFile::create(toolkit::temporaryFolder(), "pdehost-ppd", "", &problem);
  if (!fetched.file) return fail(because("no room for " + whose + ": " + problem));
  const int fd = ::open(fetched.file.path().c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
  if (fd < 0) return fail(because("no room for " + whose + ": " + fetched.file.path().string() + ": cannot be opened"));

  // A plain GET, read here rather than by cupsGetFd, which takes a reply
  // cut short for a whole one.
  auto clock = server.beginRequest();
  http_t* http = server.http();
  const std::string resource = "/printers/" + percentEncoded(queue, ".") + ".ppd";
  httpClearFields(http);
  http_status_t status = HTTP_STATUS_ERROR;
  if (httpGet(http, resource.c_str()) == 0) {
    do {
      status = httpUpdate(http);
    } while (status == HTTP_STATUS_CONTINUE);
  }
  if (status != HTTP_STATUS_OK) {
    ::close(fd);
    if (status != HTTP_STATUS_ERROR) httpFlush(http);
    if (status == HTTP_STATUS_NOT_FOUND) {
      fetched.missing = true;
      return fail({FailureKind::noDescription, {{"queue", queue}, {"server", CupsServer::name()}}, {}});
    }
    if (status == HTTP_STATUS_ERROR) return fail(server.lastFailure("reading " + whose));
    return fail({FailureKind::serverRefused,
                 {{"request", "reading " + whose},
                  {"server", CupsServer::name()},
                  {"reason", "HTTP " + std::to_string(static_cast<int>(status)) + " " + httpStatus(status)}},
                 {}});
  }
  const bool chunked = httpGetField(http, HTTP_FIELD_TRANSFER_ENCODING) == std::string("chunked");
  const off_t announced = chunked ? -1 : httpGetLength2(http);
  off_t received = 0;
  bool written = true;
  char buffer[32768];
  for (;;) {
    const ssize_t n = httpRead2(http, buffer, sizeof buffer);
    if (n <= 0) break;
    received += n;
    for (ssize_t done = 0; written && done < n;) {
      const ssize_t w = ::write(fd, buffer + done, static_cast<std::size_t>(n - done));
      written = w > 0;
      if (written) done += w;
    }
  }
  const int writeCause = errno;
  written = (::close(fd) == 0) && written;
  // A whole reply has as many bytes as it announced, or ends with the last
  // chunk: libcups ends a chunked body quietly at a closed connection too,
  // and only its error (a broken pipe) tells the two apart.
  const bool whole = chunked ? httpError(http) == 0 : received == announced;
  if (!whole || server.timedOut()) {
    const std::string got = std::to_string(received) + (announced >= 0 ? " of " + std::to_string(announced) : "");
    return fail(server.timedOut() ? server.lastFailure("reading " + whose)
                                  : because("the CUPS server " + CupsServer::name() + " sent only part of " + whose +
                                            " (" + got + " bytes); nothing was used from it"));
  }
  if (!written)
    return fail(because("no room for " + whose + " in " + toolkit::temporaryFolder().string() + ": " +
                        toolkit::writeFailureCause(writeCause)));
  return fetched;
}

std::optional<int> printFiles(CupsServer& server, const std::string& queue, const std::vector<fs::path>& files,
                              const std::string& title, const OptionList& options, Failure* failure) {
  std::vector<const char*> names;
  std::uintmax_t bytes = 0;
  for (const fs::path& file : files) {
    names.push_back(file.c_str());
    std::error_code ec;
    const std::uintmax_t size = fs::file_size(file, ec);
    if (!ec) bytes += size;
  }
  auto clock = server.beginRequest(bytes);
  cups_option_t* cupsOptions = nullptr;
  int count = 0;
  for (const auto& [name, value] : options) count = cupsAddOption(name.c_str(), value.c_str(), count, &cupsOptions);
  const int job = cupsPrintFiles2(server.http(), queue.c_str(), static_cast<int>(names.size()), names.data(),
                                  title.c_str(), count, cupsOptions);
  cupsFreeOptions(count, cupsOptions);
  if (job <= 0) {
    if (failure != nullptr) *failure = server.lastFailure("printing to \"" + queue + "\"");
    return std::nullopt;
  }
  return job;
}

}  // namespace pdehost
