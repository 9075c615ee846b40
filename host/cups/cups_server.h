// The CUPS server as the print dialog talks to it: one connection to the
// server the environment names (CUPS_SERVER, client.conf, or the local one)
// on which every request gives up after a few seconds, whether the server
// is silent, closes the connection or answers a byte at a time, so a server
// that is down or hangs never freezes the dialog. Every request of pdehost
// goes over this connection: libcups' look-ups that open connections of
// their own wait a minute each.
#pragma once

#include <cups/cups.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "cups/queue_choice.h"
#include "cups/request_watchdog.h"
#include "failure/failure.h"
#include "toolkit/whole_file.h"

namespace pdehost {

using OptionList = std::vector<std::pair<std::string, std::string>>;

class CupsServer {
 public:
  // How long a request may take in all (libcups retries a request that
  // timed out, so this bounds the whole, not each try).
  static constexpr std::chrono::milliseconds kPatience{5000};

  // The server as a person names it: "host:port", or a socket path.
  static std::string name();

  // Null, with `*failure` naming the server, when it cannot be reached.
  static std::unique_ptr<CupsServer> connect(Failure* failure);
  ~CupsServer();
  CupsServer(const CupsServer&) = delete;
  CupsServer& operator=(const CupsServer&) = delete;

  http_t* http() const { return http_; }

  // The clock of one request, running while this lives.
  class [[nodiscard]] Request {
   public:
    explicit Request(CupsServer* server) : server_(server) {}
    ~Request() { server_->watchdog_->disarm(); }
    Request(const Request&) = delete;
    Request& operator=(const Request&) = delete;

   private:
    CupsServer* server_;
  };
  // Starts the clock for a request: it may take kPatience, and a second
  // more for each megabyte it sends.
  Request beginRequest(std::uintmax_t bytesToSend = 0);

  // Whether the last request ran out of time.
  bool timedOut() const;

  // What went wrong with the last request, `request` saying what it asked
  // ("listing the printers"): that the server did not answer in time, that
  // it closed the connection, or what it said.
  Failure lastFailure(const std::string& request) const;

 private:
  explicit CupsServer(http_t* http);
  static int keepWaiting(http_t*, void* self);
  http_t* http_;
  std::unique_ptr<RequestWatchdog> watchdog_;
  std::chrono::steady_clock::time_point deadline_;
};

struct Destination {
  QueueInfo queue;
  // The queue's defaults on the server with the user's own saved defaults
  // (lpoptions) over them, as every application's print dialog reads them.
  OptionList options;
};

// Destinations as libcups reads them (every queue, the user's saved
// instances), freed when this goes.
struct DestArray {
  cups_dest_t* dests = nullptr;
  int count = 0;
  DestArray() = default;
  DestArray(const DestArray&) = delete;
  DestArray& operator=(const DestArray&) = delete;
  ~DestArray() { cupsFreeDests(count, dests); }
};

// Reads every destination over the server's connection; false, with
// `*failure` about `what`, when the server did not answer.
bool readDests(CupsServer& server, DestArray& out, const std::string& what, Failure* failure);

// Every queue of the server with its defaults; none, with `*failure`, when
// the server does not answer.
std::optional<std::vector<Destination>> listDestinations(CupsServer& server, Failure* failure);

// What fetching a queue's description found.
struct FetchedDescription {
  toolkit::TemporaryFile file;  // the whole description, in the temporary folder
  bool missing = false;         // the queue has none (a driverless queue)
};

// The queue's printer description, copied whole from the server: a reply
// cut short (fewer bytes than announced, a chunked reply without its end)
// is refused with `*failure` naming the server and the queue.
FetchedDescription fetchDescription(CupsServer& server, const std::string& queue, Failure* failure);

// Whether the server has the queue: true, false, or none (with `*failure`)
// when the server did not answer.
std::optional<bool> hasQueue(CupsServer& server, const std::string& queue, Failure* failure);

// That the server the environment names has no queue named `queue`.
Failure noSuchQueue(const std::string& queue);

// Submits the files as one job; the job id, or none with `*failure` set to
// what the server said. A job that the server refuses part-way is cancelled.
std::optional<int> printFiles(CupsServer& server, const std::string& queue,
                              const std::vector<std::filesystem::path>& files, const std::string& title,
                              const OptionList& options, Failure* failure);

}  // namespace pdehost
