#pragma once
// The six envelope templates the launcher offers, built through the engine's
// own objects. make_envelopes saves them as app/data/Vlf/1.vlf .. 6.vlf; tests
// build them again to check the committed files and what the launcher loads.

#include <string>

namespace vl {

class TvlReport;

inline constexpr int kEnvelopeCount = 6;

// The creation date written into every template (1 December 2026), so that
// the files change only in their save date when the generator runs again.
inline constexpr double kEnvelopeCreationDate = 46357.0;

// Replaces the report's template by envelope n (1..6). The pages take their
// paper through the printer model in force; the generator runs with the
// virtual printer, which accepts every size.
void vlBuildEnvelope(int n, TvlReport& report);

// The template's name as stored in its report information.
std::string vlEnvelopeName(int n);

}  // namespace vl
