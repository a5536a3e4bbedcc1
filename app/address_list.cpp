#include "app/address_list.h"

#include <QFileInfo>
#include <QInputDialog>
#include <QStringList>
#include <cstdlib>
#include <filesystem>

#include "app/address_mapping_dialog.h"
#include "engine/core/error.h"
#include "engine/core/string_table.h"
#include "engine/data/db_dataset.h"
#include "engine/data/nothing_to_print.h"
#include "engine/data/open_data_source.h"
#include "engine/data/record_list_source.h"
#include "engine/data/sqlite_data_source.h"
#include "platform/platform.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/qt_language.h"
#include "engine/core/project_texts.h"

namespace vl {
namespace {

void ShowError(const std::string& text) { vlShowMessage(text, vlLoadStr(str::kError), TvlMsgIcon::Error); }

long AddressCount(const TvlDataSource& source) {
  const auto* list = dynamic_cast<const TvlRecordListSource*>(&source);
  return list ? static_cast<long>(list->RecordCount()) : -1;
}

// The file part of what the user named.
std::string FileOf(const std::string& spec) {
  try {
    return vlParseSourceSpec(spec).FileName;
  } catch (const TvlError&) {
    return spec;
  }
}

}  // namespace

TAddressList::TAddressList(TvlForm& form, QWidget* owner) : Reader(owner), form_(form), owner_(owner) {
  AskMapping = [this](TvlDataSource& source, TvlAddressMapping& mapping) {
    TAddressMappingDialog dialog(spec_, source, mapping, owner_);
    if (dialog.exec() != QDialog::Accepted) return false;
    mapping = dialog.Mapping();
    return true;
  };
  AskTable = [this](const std::string& file, const std::vector<std::string>& tables) {
    QStringList items;
    for (const std::string& t : tables) items << vlToQt(t);
    bool ok = false;
    const QString chosen =
        QInputDialog::getItem(owner_, vlQTr("Address list"),
                              vlQTr("Table of %1:").arg(QFileInfo(vlToQt(file)).fileName()), items, 0,
                              false, &ok);
    return ok ? vlFromQt(chosen) : std::string();
  };
}

TAddressList::~TAddressList() { RemoveFromForm(); }

void TAddressList::RemoveFromForm() {
  if (dataset_) form_.DestroyComponent(dataset_);
  if (source_) form_.DestroyComponent(source_);
  dataset_ = nullptr;
  source_ = nullptr;
}

bool TAddressList::OpenOnForm(const std::string& spec) {
  if (reading_) return false;
  RemoveFromForm();
  try {
    std::unique_ptr<TvlDataSource> made = vlMakeDataSource(spec, std::string(kAddressDataset) + "_Source");
    reading_ = true;
    struct Done {
      bool& flag;
      ~Done() { flag = false; }
    } done{reading_};
    made = Reader.Open(std::move(made), QFileInfo(vlToQt(FileOf(spec))).fileName());
    if (!made) return false;
    source_ = &static_cast<TvlDataSource&>(form_.InsertComponent(std::move(made)));
  } catch (const TvlError& e) {
    ShowError(e.what());
    return false;
  }
  dataset_ = &form_.Add<TvlDBDataSet>(kAddressDataset);
  dataset_->SetDataSet(source_);
  return true;
}

bool TAddressList::Map(TvlDataSource& source, TvlAddressMapping& mapping) {
  const std::vector<std::string> columns = source.FieldNames();
  TvlSettingsStore& settings = *vlPlatform().Settings;
  // A kept mapping that gives neither name nor address would print blanks: asked again.
  if (vlRecallAddressMapping(settings, columns, mapping) && !vlMappingGivesNoRecipient(mapping)) return true;
  mapping = vlMatchAddressColumns(columns);
  if (!vlMappingIncomplete(mapping)) return true;
  source.First();
  if (!AskMapping || !AskMapping(source, mapping)) return false;
  if (vlMappingGivesNoRecipient(mapping)) {
    ShowError(vlTr(kNoRecipientColumn) + vlTr("the address list fields dialog."));
    return false;
  }
  vlRememberAddressMapping(settings, columns, mapping);
  return true;
}

bool TAddressList::HasAddresses() {
  if (count_ != 0) return true;
  ShowError(vlTr(kNoAddresses));
  return false;
}

void TAddressList::RememberCount() {
  vlPlatform().Settings->WriteString(kSettingsKey, kCountName, std::to_string(count_));
}

bool TAddressList::Set(const std::string& given) {
  std::string spec = given;
  try {
    const TvlSourceSpec parsed = vlParseSourceSpec(given);
    // Remembered with its whole path, so that it is found from any folder.
    std::error_code ec;
    const std::filesystem::path whole = std::filesystem::absolute(parsed.FileName, ec);
    if (!ec) spec = whole.lexically_normal().string() + given.substr(parsed.FileName.size());
    if (parsed.Kind == TvlSourceKind::SQLite && parsed.Table.empty() && parsed.SQL.empty()) {
      const std::vector<std::string> tables = vlSQLiteTables(parsed.FileName);
      if (tables.size() > 1) {
        const std::string table = AskTable ? AskTable(parsed.FileName, tables) : std::string();
        if (table.empty()) return false;
        spec += "#" + table;
      }
    }
  } catch (const TvlError& e) {
    ShowError(e.what());
    return false;
  }
  const std::string previous = spec_;
  const long previousCount = count_;
  spec_ = spec;
  TvlAddressMapping mapping;
  bool taken = OpenOnForm(spec);
  if (taken) {
    count_ = AddressCount(*source_);
    taken = HasAddresses() && Map(*source_, mapping);
  }
  if (!taken) {
    // The list named is not taken: the one in force before stays.
    spec_ = previous;
    count_ = previousCount;
    RemoveFromForm();
    return false;
  }
  vlPlatform().Settings->WriteString(kSettingsKey, kSettingsName, spec_);
  RememberCount();
  return true;
}

void TAddressList::Clear() {
  RemoveFromForm();
  spec_.clear();
  count_ = -1;
  TvlSettingsStore& settings = *vlPlatform().Settings;
  if (settings.ValueExists(kSettingsKey, kSettingsName)) settings.WriteString(kSettingsKey, kSettingsName, "");
  if (settings.ValueExists(kSettingsKey, kCountName)) settings.WriteString(kSettingsKey, kCountName, "");
}

void TAddressList::Restore() {
  TvlSettingsStore& settings = *vlPlatform().Settings;
  spec_ = settings.ReadString(kSettingsKey, kSettingsName, "");
  // The count when the list was last read, until it is read again.
  const std::string count = settings.ReadString(kSettingsKey, kCountName, "");
  char* end = nullptr;
  const long n = std::strtol(count.c_str(), &end, 10);
  count_ = !spec_.empty() && !count.empty() && *end == 0 && n >= 0 ? n : -1;
}

std::unique_ptr<TvlAddressBinding> TAddressList::Bind(TvlReport& report, bool loop) {
  if (!InForce()) return nullptr;
  if (!OpenOnForm(spec_)) return nullptr;
  count_ = AddressCount(*source_);
  RememberCount();
  if (!HasAddresses()) return nullptr;
  TvlAddressMapping mapping;
  if (!Map(*source_, mapping)) return nullptr;
  return std::make_unique<TvlAddressBinding>(report, *dataset_, mapping, loop);
}

QString TAddressList::CaptionText() const {
  if (!InForce()) return {};
  const QString name = QFileInfo(vlToQt(FileOf(spec_))).fileName();
  return count_ < 0 ? name : QStringLiteral("%1 (%2)").arg(name).arg(count_);
}

QString TAddressList::ToolTipText() const {
  if (!InForce()) return {};
  QString text = vlQTr("Address list: %1").arg(vlToQt(spec_));
  if (count_ >= 0)
    text += QStringLiteral("\n") + (count_ == 1 ? vlQTr("1 address: each template prints one envelope per address.")
                                               : vlQTr("%1 addresses: each template prints one envelope per address.").arg(count_));
  return text;
}

}  // namespace vl
