// The interaction seam in use: the one installed, else the Qt form
// (common/platform/).
#include "common/dialogs/interaction.h"

namespace {

Interaction* installed = nullptr;

} // namespace

Interaction& interaction() { return installed ? *installed : platformInteraction(); }

void setInteraction(Interaction* replacement) { installed = replacement; }
