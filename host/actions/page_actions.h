// What a person or a script does with the documents, the printer's page
// options and the layout. The choices live in the print settings, beside the
// panel's, so that presets, Last Used Settings and the job carry them; the
// documents and the page ranges belong to this one dialog. Refusals come
// worded in the language asked for (English for scripts).
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "actions/result.h"
#include "document_list.h"
#include "page_layout.h"
#include "page_options.h"
#include "page_ranges.h"

namespace pdehost {

class HostSession;

// Checks the file and adds it to the session's documents.
Result<documents::Document, documents::DocumentRefusal> addDocument(HostSession& session,
                                                                    const std::filesystem::path& path,
                                                                    std::string_view language);
// Adds a document checked elsewhere (the window checks off its main thread).
void addCheckedDocument(HostSession& session, documents::Document document);
bool removeDocument(HostSession& session, std::size_t index);

// The printer's page options with the session's choices marked.
page::PageOptionModel pageOptions(HostSession& session);
// Chooses a page option, or says why not; nothing changes on a refusal.
std::optional<page::Refusal> choosePageOption(HostSession& session, const std::string& keyword,
                                              const std::string& choice, std::string_view language);

// Keeps the range text (refused ones too: a job is not sent while it is
// wrong) and says what is wrong with it, against the documents added.
std::optional<std::string> setPageRanges(HostSession& session, const std::string& text, std::string_view language);
// The session's range read against `longestDocument`; the words of its
// problem in `language` when it has one.
page::ParsedRanges pageRangesOf(const HostSession& session, std::optional<int> longestDocument);
std::string rangeWords(const page::RangeError& error, std::string_view language);

page::PageLayout layoutOf(const HostSession& session);
void setLayout(HostSession& session, const page::PageLayout& layout);

}  // namespace pdehost
