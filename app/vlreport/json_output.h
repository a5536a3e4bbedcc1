#pragma once
// JSON output of the command-line tool: engine texts (system code page) become
// UTF-8 strings; documents are printed indented.

#include <nlohmann/json.hpp>
#include <string>

namespace vl::cli {

std::string Utf8(const std::string& engineText);
void PrintJson(const nlohmann::ordered_json& doc);

}  // namespace vl::cli
