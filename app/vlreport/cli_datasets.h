#pragma once
// Data sources given on the command line (--dataset NAME=SOURCE) as datasets
// on a host form, so that templates find them by the names they were
// designed with; and the address list, the dataset named "Addresses", which
// gives an envelope template one envelope per address. prepare, render and
// print share this.

#include <memory>
#include <string>

#include "app/vlreport/command.h"
#include "engine/core/variables.h"
#include "engine/data/address_binding.h"
#include "engine/data/components.h"

namespace vl::cli {

// NAME=SOURCE, SOURCE as vlOpenDataSource takes it (a CSV or vCard file, a
// SQLite file followed by "#TABLE" or "#SELECT ..."): a data source and a
// dataset NAME on the form.
void AddDataset(TvlForm& form, const std::string& given);

// When the form holds the address list: opens it (a damaged list stops here,
// before any page), maps its columns to the envelope variables (by their
// names, then as maps says: VARIABLE=COLUMN, an empty column for none) and
// binds the report to it for as long as the result lives. Fields of the
// recipient that no column feeds are named on standard error. Null without
// an address list. Without loop the report walks the list itself (a band
// over the dataset "Addresses", as labels do).
std::unique_ptr<TvlAddressBinding> BindAddressList(TvlForm& form, TvlReport& report, const TvlVariables& maps,
                                                   bool loop = true);

}  // namespace vl::cli
