#pragma once
// The Qt seam's own: Qt's file dialog as the program's file dialogs
// show it.
#include "common/dialogs/interaction.h"

#include <QString>

class QWidget;

// Shows the open or save dialog of `request` over `parent`; the chosen
// file-system path, or "" when cancelled. The dialog shows the details of
// the files, every column of the directory it shows whole.
QString chooseFile(const FileDialogRequest& request, QWidget* parent);
