#pragma once
// The launcher's address labels: the labels window, then the label template
// of the chosen sheet prepared over the address list in force (or the
// remembered sender on every label), checked label by label and shown in
// the preview, from which it prints like an envelope.

namespace vl {

class TFormMain;

// The whole "Address labels…" command of the launcher's menu.
void vlAddressLabels(TFormMain& launcher);

}  // namespace vl
