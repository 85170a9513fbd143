#include "common/platform/file_dialog.h"

#include "common/internal/file_paths.h"
#include "common/platform/filters.h"
#include "common/internal/qtext.h"

#include <QAbstractFileIconProvider>
#include <QDir>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QTreeView>

#include <algorithm>

namespace {

// Qt's translations leave a folder's type in English.
class FileTypes : public QFileIconProvider {
public:
    QString type(const QFileInfo& info) const override
    {
        return info.isDir() && !info.isRoot() ? QStringLiteral("文件夹") : QFileIconProvider::type(info);
    }
};

// Widens each column of the detail view to its widest text, and the dialog
// by what the columns then lack of room, within its screen.
void showColumnsWhole(QFileDialog& dialog)
{
    auto* view = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    if (!view)
        return;
    QHeaderView* header = view->header();
    int needed = 0;
    for (int column = 0; column < header->count(); ++column) {
        if (header->isSectionHidden(column))
            continue;
        const int width = std::max({header->sectionSize(column), header->sectionSizeHint(column),
                                    static_cast<QAbstractItemView*>(view)->sizeHintForColumn(column)});
        header->resizeSection(column, width);
        needed += width;
    }
    const int missing = needed - view->viewport()->width();
    if (missing <= 0)
        return;
    const int widest = dialog.screen() ? dialog.screen()->availableGeometry().width() : dialog.width() + missing;
    dialog.resize(std::min(dialog.width() + missing, widest), dialog.height());
}

} // namespace

QString chooseFile(const FileDialogRequest& request, QWidget* parent)
{
    QString start = fileSystemPath(request.initialDirectory);
    const QString name = fileSystemPath(request.fileName);
    if (!name.isEmpty())
        start = start.isEmpty() || QDir::isAbsolutePath(name) ? name : start + QLatin1Char('/') + name;
    QPointer<QFileDialog> dialog = new QFileDialog(parent, toQString(request.title), start, qtFileFilter(request.filter));
    FileTypes types;
    // Qt's own dialog on every desktop, in the program's language; a filter
    // shows its description alone, as the program's descriptions name their
    // patterns already.
    dialog->setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::HideNameFilterDetails);
    dialog->setIconProvider(&types);
    dialog->setViewMode(QFileDialog::Detail);
    dialog->setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog->setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (auto* model = dialog->findChild<QFileSystemModel*>()) {
        QFileDialog* shown = dialog;
        // Once the listed rows are in the view.
        QObject::connect(model, &QFileSystemModel::directoryLoaded, shown,
                         [shown] { QTimer::singleShot(0, shown, [shown] { showColumnsWhole(*shown); }); });
    }
    const bool chosen = dialog->exec() == QDialog::Accepted && dialog && !dialog->selectedFiles().isEmpty();
    const QString path = chosen ? dialog->selectedFiles().first() : QString();
    delete dialog;
    return path;
}
