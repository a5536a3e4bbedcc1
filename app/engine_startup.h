#pragma once
// The engine's start-up registration: runs before any window is created.

namespace vl {

// Attaches the printer model to the installed platform printers and creates
// the engine-wide objects.
void vlStartEngine();

}  // namespace vl
