#include "store/user_defaults.h"

#include <pwd.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <map>

namespace pdehost {
namespace fs = std::filesystem;
namespace {

// Every destination's options, by "name/instance", as libcups reads them.
using DestOptions = std::map<std::string, std::map<std::string, std::string>>;

DestOptions optionsOf(const DestArray& all) {
  DestOptions out;
  for (int i = 0; i < all.count; ++i) {
    const cups_dest_t& dest = all.dests[i];
    auto& options = out[std::string(dest.name) + "/" + (dest.instance != nullptr ? dest.instance : "")];
    for (int o = 0; o < dest.num_options; ++o) options[dest.options[o].name] = dest.options[o].value;
  }
  return out;
}

// What the server reports about a queue's state changes on its own (a job
// ends, a toner runs low) and says nothing about the saved file.
bool changesOnItsOwn(const std::string& name) {
  for (const char* prefix : {"printer-state", "printer-is-accepting-jobs", "marker-", "printer-alert",
                             "printer-message", "printer-up-time", "printer-current-time", "printer-config-change",
                             "queued-job-count"}) {
    if (name.starts_with(prefix)) return true;
  }
  return false;
}

// The first option written that did not read back the same: "the option
// NAME of QUEUE"; empty when all did.
std::string firstMissing(const DestOptions& written, const DestOptions& read) {
  for (const auto& [dest, options] : written) {
    auto found = read.find(dest);
    for (const auto& [name, value] : options) {
      if (changesOnItsOwn(name)) continue;
      if (found == read.end() || !found->second.contains(name) || found->second.at(name) != value)
        return "the option " + name + " of " + dest.substr(0, dest.size() - (dest.back() == '/' ? 1 : 0));
    }
  }
  return {};
}

// Why a file in `folder` could not be written in full, as far as the
// folder tells: its disk is full, or nothing more specific.
std::string likelyCause(const fs::path& folder) {
  struct statvfs disk {};
  if (::statvfs(folder.c_str(), &disk) == 0 && disk.f_bavail == 0) return "the disk is full";
  if (::statvfs(folder.c_str(), &disk) == 0 && (disk.f_flag & ST_RDONLY) != 0) return "the folder is read-only";
  return "the file was not written in full";
}

// The old file's bytes beside it, under a hidden name, until restore() or
// the end; none when there was no file.
class SavedCopy {
 public:
  bool take(const fs::path& file, std::string* error) {
    file_ = file;
    struct stat info {};
    if (::stat(file.c_str(), &info) != 0) {
      existed_ = false;
      return true;
    }
    existed_ = true;
    auto text = toolkit::readWholeFile(file, error, {toolkit::ReadRules{}.largest, "too large", "cannot be read"});
    if (!text) return false;
    std::string problem;
    copy_ = toolkit::TemporaryFile::create(file.parent_path(), "." + file.filename().string() + ".saved", *text,
                                           &problem);
    if (!copy_) {
      if (error != nullptr)
        *error = file.string() + ": cannot be kept safe while it is rewritten, so it was left alone: " + problem;
      return false;
    }
    ::chmod(copy_.path().c_str(), info.st_mode & 07777);
    return true;
  }
  // Puts the old file back (or removes a new one that was not there).
  bool restore() {
    if (!existed_) return ::unlink(file_.c_str()) == 0 || errno == ENOENT;
    if (std::rename(copy_.path().c_str(), file_.c_str()) != 0) return false;
    return true;
  }

 private:
  fs::path file_;
  bool existed_ = false;
  toolkit::TemporaryFile copy_;  // removes itself; gone already once renamed back
};

}  // namespace

fs::path userDefaultsFile() {
  // As libcups chooses: HOME, then the account's home, except for root,
  // whose defaults without a HOME are the client's own.
  const char* home = std::getenv("HOME");
  if ((home == nullptr || *home == '\0') && ::getuid() != 0) {
    if (const passwd* user = ::getpwuid(::getuid()); user != nullptr) home = user->pw_dir;
  }
  if (home != nullptr && *home != '\0') return fs::path(home) / ".cups" / "lpoptions";
  const char* root = std::getenv("CUPS_SERVERROOT");
  return fs::path(root != nullptr && *root != '\0' ? root : "/etc/cups") / "lpoptions";
}

bool saveUserDefaults(CupsServer& server, const std::string& queue, const OptionList& options, Failure* failure) {
  auto fail = [&](Failure why) {
    if (failure != nullptr) *failure = std::move(why);
    return false;
  };
  DestArray all;
  if (!readDests(server, all, "reading the saved defaults", failure)) return false;
  cups_dest_t* dest = cupsGetDest(queue.c_str(), nullptr, all.count, all.dests);
  if (dest == nullptr) return fail(noSuchQueue(queue));
  for (const auto& [name, value] : options)
    dest->num_options = cupsAddOption(name.c_str(), value.c_str(), dest->num_options, &dest->options);

  const fs::path file = userDefaultsFile();
  const fs::path folder = file.parent_path();
  // libcups makes the folder itself but does not say when it cannot.
  if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
    return fail(because(folder.string() + ": cannot be made: " + toolkit::writeFailureCause(errno)));
  SavedCopy copy;
  std::string notKept;
  if (!copy.take(file, &notKept)) return fail(because(notKept));

  int written = 0;
  {
    auto clock = server.beginRequest();
    written = cupsSetDests2(server.http(), all.count, all.dests);
  }
  const DestOptions wanted = optionsOf(all);
  DestArray back;
  Failure unreadable;
  const bool readBack = written == 0 && readDests(server, back, "reading the saved defaults back", &unreadable);
  std::string missing;
  if (readBack) {
    missing = firstMissing(wanted, optionsOf(back));
    if (missing.empty()) return true;
  }

  std::string cause;
  if (written != 0)
    cause = ::access(folder.c_str(), W_OK) != 0 ? toolkit::writeFailureCause(errno) : "libcups could not write it";
  else if (!readBack)
    cause = "they could not be read back: " + english(unreadable);
  else
    cause = likelyCause(folder) + " (" + missing + " did not read back)";
  const std::string kept = copy.restore() ? "the earlier file was put back" : "the earlier file could not be put back";
  return fail(because(file.string() + ": the defaults of \"" + queue + "\" were not saved: " + cause + "; " + kept));
}

}  // namespace pdehost
