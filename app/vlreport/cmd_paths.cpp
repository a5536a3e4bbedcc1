// vlreport paths: where the programs find their data — the shipped envelope
// templates beside this executable and the user's own templates folder that
// the launcher works in.

#include "app/data_folders.h"
#include "app/vlreport/command.h"
#include "app/vlreport/json_output.h"
#include "engine/core/project_texts.h"

namespace vl::cli {

int RunPaths(const Args& args) {
  if (!ArgReader(args).Positional().empty()) throw UsageError{vlTr("takes no arguments")};
  const std::filesystem::path shipped = vlShippedDataDir(vlExecutableDir());
  nlohmann::ordered_json doc;
  // Paths are file-system bytes (UTF-8 on our systems), not engine texts.
  doc["DataDir"] = shipped.empty() ? nullptr : nlohmann::ordered_json(shipped.string());
  doc["Templates"] = shipped.empty() ? nullptr : nlohmann::ordered_json((shipped / "Vlf").string());
  doc["UserTemplates"] = (vlUserDataDir() / "Vlf").string();
  PrintJson(doc);
  return 0;
}

}  // namespace vl::cli
