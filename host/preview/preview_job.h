// A print job as the preview sees it: plain values, so that the dialog, the
// script language and the tools describe a job the same way.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "image_effects.h"

namespace pdehost::preview {

enum class DocumentType { Pdf, PostScript, Text, Image };

struct PreviewDocument {
  std::filesystem::path path;
  DocumentType type = DocumentType::Pdf;
};

// The type from the file's first bytes; plain text when nothing else fits.
DocumentType sniffDocumentType(const std::filesystem::path& path);

// The paper in PostScript points, with its printable area as the printer
// description gives it (left, bottom, right, top from the lower left corner).
struct Paper {
  double width = 595;
  double height = 842;
  double left = 0, bottom = 0, right = 595, top = 842;
  // The printer description's name of the size ("A4"), handed to CUPS when a
  // text file is laid out; empty for none.
  std::string name;
};

enum class Orientation { Portrait, Landscape };

struct PreviewJob {
  std::vector<PreviewDocument> documents;
  Paper paper;
  Orientation orientation = Orientation::Portrait;
  int numberUp = 1;           // 1, 2, 4, 6, 9 or 16
  std::string pageRanges;     // CUPS' syntax ("1-3,5"); empty for all
  bool reverseOrder = false;  // last sheet first
  bool fitToPage = false;
  ImageEffects effects;
  // The queue's printer description, for laying out plain text as CUPS
  // does; empty when there is none.
  std::filesystem::path ppdPath;
};

// The job without its image effects, as one text: two jobs with the same
// text make the same sheets before the effects. Files count with their size
// and modification time, so that a changed file is read again.
std::string layoutFingerprint(const PreviewJob& job);

}  // namespace pdehost::preview
