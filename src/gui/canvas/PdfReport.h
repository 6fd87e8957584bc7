#pragma once
// The monthly summary printed into a PDF file instead of on a printer: what the
// command-line tool's `stampa FILE.pdf` does. A4 portrait, 300 dots per inch.

#include "print/MonthlySummaryReport.h"

#include <functional>
#include <string>

namespace valmora {

class FormMaster;

// Makes sure a QGuiApplication exists (fonts need one). When the program has none, as the
// command-line tool, one is created on the offscreen platform and lives until the process ends.
void ensureGuiApplication();

class ReportCanvas;

// Any report `draw` lays out, written into pdfPath (A4 portrait, 300 dots per inch, `title` in the document's
// properties). A file that cannot be written throws std::runtime_error with an Italian message; a drawing that
// fails leaves no partial file behind.
void renderToPdf(const std::string& pdfPath, const std::string& title, const std::function<void(ReportCanvas&)>& draw);

// Writes the whole report into pdfPath, replacing the file. A file that cannot be written throws
// std::runtime_error with an Italian message, and no partial file is left behind.
void renderReportToPdf(const MonthlySummarySource& source, const std::string& pdfPath);

// The open account's report, as "Stampa &Riepilogo Mensile ..." prints it, into pdfPath. Without an
// open account (the command is disabled then) nothing is written and the result is false.
bool renderReportToPdf(FormMaster& master, const std::string& pdfPath);

} // namespace valmora
