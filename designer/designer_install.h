#pragma once
// Makes the designer window the one the reports open: DesignReport opens it
// on the template, the preview's page editor on one prepared page.

namespace vl {

void vlInstallDesigner();

}  // namespace vl
