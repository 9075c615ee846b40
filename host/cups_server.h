// The CUPS server as the print dialog talks to it: one connection to the
// server the environment names (CUPS_SERVER, client.conf, or the local one)
// that gives up when the server does not answer for a few seconds, so a
// server that is down or hangs never freezes the dialog.
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

#include "queue_choice.h"

namespace pdehost {

using OptionList = std::vector<std::pair<std::string, std::string>>;

class CupsServer {
 public:
  // How long a request may go without its answer (libcups retries a
  // request that timed out, so this bounds the whole, not each try).
  static constexpr std::chrono::milliseconds kPatience{3000};

  // The server as a person names it: "host:port", or a socket path.
  static std::string name();

  // Null, with `*error` naming the server, when it cannot be reached.
  static std::unique_ptr<CupsServer> connect(std::string* error);
  ~CupsServer();
  CupsServer(const CupsServer&) = delete;
  CupsServer& operator=(const CupsServer&) = delete;

  http_t* http() const { return http_; }

  // Starts the clock for the next request: it may take kPatience, and a
  // second more for each megabyte it sends.
  void beginRequest(std::uintmax_t bytesToSend = 0);

  // What went wrong with the last request, for a message that starts with
  // `what` ("listing the printers"): that the server stopped answering, or
  // what it said.
  std::string lastError(const std::string& what) const;

 private:
  explicit CupsServer(http_t* http) : http_(http) {}
  static int keepWaiting(http_t*, void* self);
  http_t* http_;
  std::chrono::steady_clock::time_point deadline_;
};

struct Destination {
  QueueInfo queue;
  // The queue's defaults on the server with the user's own saved defaults
  // (lpoptions) over them, as every application's print dialog reads them.
  OptionList options;
};

// Every queue of the server with its defaults; none, with `*error`, when the
// server does not answer.
std::optional<std::vector<Destination>> listDestinations(CupsServer& server, std::string* error);

// The queue's printer description, copied from the server to a new file in
// the temporary folder that the caller removes.
std::optional<std::filesystem::path> fetchDescription(CupsServer& server, const std::string& queue,
                                                      std::string* error);

// Writes `options` as the user's saved defaults for `queue` through libcups'
// destination store (the lpoptions file), replacing earlier values of the
// same options and keeping every other saved option.
bool saveUserDefaults(CupsServer& server, const std::string& queue, const OptionList& options, std::string* error);

// Submits the files as one job; the job id, or none with `*error` set to
// what the server said. A job that the server refuses part-way is cancelled.
std::optional<int> printFiles(CupsServer& server, const std::string& queue,
                              const std::vector<std::filesystem::path>& files, const std::string& title,
                              const OptionList& options, std::string* error);

}  // namespace pdehost
