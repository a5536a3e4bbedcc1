#pragma once
// The engine's start-up registration: runs before any window is created.

namespace vl {

// Attaches the printer model to the installed platform printers, creates
// the engine-wide objects, registers the standard and database function
// libraries and the add-in view classes.
void vlStartEngine();

}  // namespace vl
