#include "session/host_session.h"

#include "store/queue_defaults.h"

namespace pdehost {
namespace fs = std::filesystem;

HostSession::HostSession(std::unique_ptr<JsonPrintSettings> settings, std::unique_ptr<PpdDocument> ppd,
                         std::unique_ptr<LoadedPlugin> plugin, std::shared_ptr<HostCallbackObject> callback,
                         std::vector<std::shared_ptr<pde::Panel>> panels, std::shared_ptr<toolkit::Bundle> bundle)
    : settings_(std::move(settings)),
      ppd_(std::move(ppd)),
      plugin_(std::move(plugin)),
      bundle_(std::move(bundle)),
      callback_(std::move(callback)),
      panels_(std::move(panels)) {}

HostSession::~HostSession() {
  shown_ = nullptr;
  window_.setContentView(nullptr);
  panels_.clear();
}

std::unique_ptr<HostSession> HostSession::start(const HostOptions& options, const fs::path& program,
                                                StartFailure* failure, QueueLookup* lookup) {
  auto fail = [&](int status, std::string message) -> std::unique_ptr<HostSession> {
    if (failure != nullptr) *failure = {status, std::move(message), std::nullopt};
    return nullptr;
  };
  fs::path bundlePath = options.plugin.empty() ? defaultPluginBeside(program) : options.plugin;
  if (bundlePath.empty())
    return fail(kExitCannotLoad, "no TintPanel.plugin beside " + program.string() + "; name one with --plugin DIR");
  std::string error;
  bool otherProtocol = false;
  auto plugin = LoadedPlugin::load(bundlePath, &error, &otherProtocol);
  if (!plugin) return fail(otherProtocol ? kExitOtherProtocol : kExitCannotLoad, error);

  QueueLookup asked;
  if (lookup == nullptr && options.printer != "") {
    asked = lookUpQueue(options.printer, options.ppd.empty());
    lookup = &asked;
  }
  PrinterInfo printer;
  printer.server = CupsServer::name();
  if (lookup != nullptr) {
    if (lookup->unknownQueue || lookup->descriptionFailed)
      return fail(kExitCannotLoad, lookup->printer.problem ? english(*lookup->printer.problem) : "");
    printer = lookup->printer;
  }

  fs::path ppdPath = plugin->bundle()->resourcePath() / "LX4200.ppd";
  printer.source = "sample";
  if (!options.ppd.empty()) {
    ppdPath = options.ppd;
    printer.source = "file";
  } else if (lookup != nullptr && lookup->description) {
    ppdPath = lookup->description.path();
    printer.source = "server";
  }
  const std::string shownAs = printer.source == "server" ? "the printer description of \"" + printer.queue.value_or("") +
                                                               "\" from the CUPS server " + printer.server
                                                         : std::string();
  auto ppd = PpdDocument::open(ppdPath, &error, shownAs);
  if (!ppd) return fail(kExitCannotLoad, error);
  // The panel shows the description's labels in the person's language, the
  // one its bundle chose for its own labels.
  ppd->localize(plugin->bundle()->preferredLocalizations());

  std::unique_ptr<JsonPrintSettings> settings;
  OptionList queueDefaults;
  if (options.settingsFile) {
    settings = JsonPrintSettings::load(*options.settingsFile, &error);
    if (!settings) return fail(kExitCannotLoad, error);
  } else if (!options.noSettings) {
    settings = std::make_unique<JsonPrintSettings>();
    // A job starts from what a plain `lp` to the queue would get.
    if (lookup != nullptr) queueDefaults = startFromQueueDefaults(*settings, *ppd, lookup->defaults);
  }
  if (lookup != nullptr && queueDefaults.empty()) queueDefaults = printerOptionsIn(*ppd, lookup->defaults);

  auto callback = std::make_shared<HostCallbackObject>(ppd.get(), settings.get(), printer.queue,
                                                       !options.noConstraints);
  auto bundle = plugin->bundle();
  pde::PlugInFactory& factory = plugin->factory();
  if (!factory.initWithBundle(bundle)) return fail(kExitCannotLoad, "the plug-in's factory refused its bundle");
  const std::string type = options.type.empty() ? pde::kPrintDialogExtensionType : options.type;
  auto panels = factory.PDEPanelsForTypeWithHostInfo(type, callback);
  if (!panels) {
    if (failure != nullptr)
      *failure = {kExitNoPanel, "the plug-in gave no panel (nil) for type " + type, nlohmann::json(nullptr)};
    return nullptr;
  }
  if (panels->empty() || !panels->front()) {
    if (failure != nullptr)
      *failure = {kExitNoPanel, "the plug-in has no panel for type " + type, nlohmann::json::array()};
    return nullptr;
  }
  auto session = std::make_unique<HostSession>(std::move(settings), std::move(ppd), std::move(plugin),
                                               std::move(callback), std::move(*panels), std::move(bundle));
  session->setPrinter(std::move(printer));
  session->setQueueDefaults(std::move(queueDefaults));
  return session;
}

toolkit::View* HostSession::shownView() const { return shown_; }

void HostSession::show(toolkit::View* view) {
  if (view == shown_) return;
  shown_ = view;
  // The window holds the view while it shows it; a view nobody shares
  // cannot be held and is shown without a window.
  window_.setContentView(view != nullptr ? view->weak_from_this().lock() : nullptr);
}

toolkit::View* HostSession::outlet(std::string_view name) const {
  for (const auto& [outletName, view] : panel().outlets()) {
    if (outletName == name) return view;
  }
  return nullptr;
}

std::vector<std::string> HostSession::takeNewProblems() {
  if (!bundle_) return {};
  auto all = bundle_->problems();
  std::vector<std::string> fresh(all.begin() + static_cast<std::ptrdiff_t>(std::min(problemsReported_, all.size())),
                                 all.end());
  problemsReported_ = all.size();
  return fresh;
}

}  // namespace pdehost
