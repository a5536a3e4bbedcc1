#pragma once
// Beside the preview of a batch printed with its problems, a small window
// lists the flagged envelopes; choosing one shows its page in the preview.

#include <vector>

#include "engine/data/envelope_check.h"

class QListWidget;

namespace vl {

class TvlPreviewForm;

// Attaches the list to the preview (it closes with it). pagesPerRow: how
// many pages each address's envelope has. Returns the list.
QListWidget* vlShowFlaggedEnvelopes(TvlPreviewForm& preview, const std::vector<TvlEnvelopeProblem>& problems,
                                    int pagesPerRow);

}  // namespace vl
