// A name written in a report text as value resolution reaches it on every
// record: IsVariable (served from the field cache) then GetValue, for a
// direct field reference, one written with aliases and a dictionary variable
// holding a field reference, over an in-memory CSV source.

#include <benchmark/benchmark.h>

#include <string>

#include "engine/data/csv_data_source.h"
#include "engine/data/dictionary_fields.h"

namespace {

using namespace vl;

struct Setup {
  TvlForm form{"FormMain"};
  TvlCsvDataSource& people = form.Add<TvlCsvDataSource>("People");
  TvlDataDictionary dict;
  TvlDictionaryFields fields{dict, &form};
  Setup() {
    std::string text = "Name,City,Zip\n";
    for (int k = 0; k < 1000; ++k) text += "Person " + std::to_string(k) + ",City,1010\n";
    people.OpenText(std::move(text), "people.csv");
    dict.FieldAliases.Set("People", "Persons");
    dict.FieldAliases.Set(vlFieldAliasKey("People", "City"), "Town");
    dict.Variables.Set(" Address", "");
    dict.Variables.Set("ZIPCODE", "People.\"Zip\"");
  }
};

void Read(benchmark::State& state, const std::string& name) {
  Setup s;
  for (auto _ : state) {
    if (s.people.Eof()) s.people.First();
    if (!s.dict.IsVariable(name)) state.SkipWithError("unknown");
    TvlValue v = s.dict.GetValue(name);
    benchmark::DoNotOptimize(v);
    s.people.Next();
  }
}

void BM_CachedFieldReference(benchmark::State& state) { Read(state, "PEOPLE.\"NAME\""); }
void BM_CachedAliasReference(benchmark::State& state) { Read(state, "PERSONS.\"TOWN\""); }
void BM_CachedVariable(benchmark::State& state) { Read(state, "ZIPCODE"); }

BENCHMARK(BM_CachedFieldReference);
BENCHMARK(BM_CachedAliasReference);
BENCHMARK(BM_CachedVariable);

}  // namespace
