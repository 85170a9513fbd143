#pragma once
// Everything program code uses of the runtime.
#include "common/controls.h"
#include "common/dialogs.h"
#include "common/files.h"
#include "common/menu.h"
#include "common/program.h"
#include "common/text.h"
#include "common/window.h"
#include "common/pictures.h"
#include "common/printer.h"
