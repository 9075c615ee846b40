// The print-dialog extension protocol between a host (pdehost) and a panel
// plug-in (TintPanel): the host's callback object with its print session and
// print settings, the panel operations the host calls, and the plug-in factory
// reached through the bundle's exported C entry points.
//
// C++ objects cross this boundary: std::string, std::shared_ptr, std::optional,
// JSON values and the virtual tables of the classes below. A host and a
// plug-in must therefore be built from this same header by the same compiler
// with the same standard library (and the same JSON library); the protocol
// version guards against a plug-in built from another revision of the header,
// not against a different compiler or library.
#pragma once

#include <cups/ppd.h>

#include <cstdint>
#include <memory>
#include <nlohmann/json_fwd.hpp>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace toolkit {
class View;
class Bundle;
}  // namespace toolkit

namespace pde {

// The extension type a print dialog asks panels for.
inline constexpr const char* kPrintDialogExtensionType = "BDB091F4-E57F-11D3-B5CC-0050E4603277";

// The C entry point every panel plug-in exports; it returns the plug-in's
// factory, owned by the plug-in for the life of the loaded library.
inline constexpr const char* kPlugInEntryPoint = "pde_plugin_factory";

// The revision of this protocol. Raise it with every change to the classes
// below (a function added, removed or changed, a type or a meaning changed).
inline constexpr std::uint32_t kProtocolVersion = 1;

// The C entry point reporting the protocol revision the plug-in was built
// with (kProtocolVersion). Plain C on both sides, so a host calls it safely
// before anything else of the plug-in, and loads no plug-in whose revision
// differs from its own.
inline constexpr const char* kPlugInVersionEntryPoint = "pde_plugin_protocol_version";
using PlugInVersionEntryPoint = std::uint32_t (*)();

// Status codes of the print-settings accessors (0 is success).
inline constexpr int kPrintSettingsNoErr = 0;
inline constexpr int kPrintSettingsKeyNotFound = -30871;

// The job's print settings, owned by the host.
class PrintSettings {
 public:
  virtual ~PrintSettings() = default;
  // Status 0 and the entry's value, or a non-zero status and `value` untouched.
  virtual int getValue(const std::string& key, std::string* value) const = 0;
  virtual int setValue(const std::string& key, const std::string& value, bool locked) = 0;
};

// The dialog's print session: only the current printer is asked of it.
class PrintSession {
 public:
  virtual ~PrintSession() = default;
  // The identifier of the session's current printer, or none when it has none.
  virtual std::optional<std::string> currentPrinterID() const = 0;
};

// The callback object a host hands to the panels it asks for.
class HostCallback {
 public:
  virtual ~HostCallback() = default;
  // Whether the host offers constraint handling (answers
  // willChangePPDOptionKeyValuePpdChoice).
  virtual bool respondsToWillChangePPDOptionKeyValuePpdChoice() const = 0;
  virtual ppd_file_t* ppdFile() = 0;
  virtual PrintSession* printSession() = 0;
  // The job's print settings, or null when the host has none.
  virtual PrintSettings* printSettings() = 0;
  // Asked before a PPD option changes; true accepts the change.
  virtual bool willChangePPDOptionKeyValuePpdChoice(const std::string& keyword,
                                                    const std::string& choice) = 0;
};

// The operations a host calls on a panel, one at a time, on its main thread.
class Panel {
 public:
  virtual ~Panel() = default;
  virtual std::string panelName() = 0;
  virtual std::string panelKind() = 0;
  virtual std::vector<std::string> supportedPPDOptionKeys() = 0;
  // The panel's view, or null when its layout could not be loaded.
  virtual toolkit::View* panelView() = 0;
  virtual void willShow() = 0;
  virtual bool shouldHide() = 0;
  // `error` may be null; the panel never writes it when it succeeds.
  virtual bool restoreValuesAndReturnError(std::string* error) = 0;
  virtual bool saveValuesAndReturnError(std::string* error) = 0;
  // A dictionary of display titles to display values, with the key
  // "Summary Display Order" holding the titles in display order.
  virtual nlohmann::json summaryInfo() = 0;
  virtual bool shouldPrint() = 0;
  virtual bool shouldShowHelp() = 0;
  virtual void PPDOptionKeyValueDidChangePpdChoice(const std::string& keyword,
                                                   const std::string& choice) = 0;
  // The panel's own fields (flags, current choices, preference record) as a
  // JSON object, for hosts that show or test what the panel holds.
  virtual nlohmann::json stateSnapshot() const = 0;
  // The panel's controls by outlet name ("colorModePopup"), null when absent,
  // for hosts that show or drive them as a person would. Panels that do not
  // list their controls answer an empty list.
  virtual std::vector<std::pair<std::string, toolkit::View*>> outlets() const { return {}; }
};

// The plug-in's principal object.
class PlugInFactory {
 public:
  virtual ~PlugInFactory() = default;
  virtual bool initWithBundle(std::shared_ptr<toolkit::Bundle> bundle) = 0;
  // The panels for an extension type: none (nullopt) when the panel could not
  // be created for this type, an empty list for any other type.
  virtual std::optional<std::vector<std::shared_ptr<Panel>>> PDEPanelsForTypeWithHostInfo(
      const std::string& type, std::shared_ptr<HostCallback> host) = 0;
};

using PlugInEntryPoint = PlugInFactory* (*)();

}  // namespace pde
