#pragma once
// Loading templates and dictionaries for the subcommands: the engine's
// messages are collected instead of shown, and a load that did not succeed
// ends the command with that message.

#include <string>

#include "engine/model/data_dictionary.h"
#include "engine/model/report.h"

namespace vl::cli {

// Loads FILE.vlf into report; password answers the password prompt when the
// template asks. Raises TvlError with the engine's message (line breaks as
// newlines) when the file is missing or was not read completely.
void LoadTemplate(TvlReport& report, const std::string& path, const std::string& password = {});
// Loads FILE.vld; the same failures.
void LoadDictionary(TvlDataDictionary& dictionary, const std::string& path);
// An engine message (lines ended by a carriage return alone) with newlines.
std::string MessageLines(std::string text);
// True when the path names a dictionary file (.vld, any case).
bool IsDictionaryFile(const std::string& path);
// True when the path names a prepared-report file (.vlp, any case).
bool IsPreparedReportFile(const std::string& path);

}  // namespace vl::cli
