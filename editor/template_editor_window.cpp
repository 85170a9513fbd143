// The editor window's life cycle, its file menu and the save question.
#include "editor/template_editor_window.h"
#include "state/globals.h"
#include "editor/editor_settings.h"

namespace {
const Text kDatabaseProvider = "数据库提供者1";
} // namespace

TemplateEditorWindow::TemplateEditorWindow(TextList arguments)
    : Window("TemplateEditorWindow", {50, 50, 413, 309}, "Tabrel"), arguments_(std::move(arguments))
{
    通用对话框1.filter = "表格文件(*.grd)|*.grd";
    通用对话框1.defaultExtension = "grd";
    // The font dialog first shows the face that cells without one are drawn in.
    字体对话框.font.face = "宋体";
    图片文件对话框.title = "请输入图片文件名：";
    图片文件对话框.filter = "JPG文件(*.jpg)|*.jpg|GIF文件(*.gif)|*.gif|BMP文件(*.bmp)|*.bmp";
    created = [this] { onEditorCreated(); };
    mayClose = [this] { return onEditorMayClose(); };
    destroyed = [this] { onEditorDestroyed(); };
    resized = [this] { onEditorResized(); };
    表格1.cellEdited = [this] { onGridCellEdited(); };
    表格1.mouseDown = [this](int button) { onGridMouseDown(button); };
    数据库提供者1.storeFailed = [this] { onDatabaseStoreFailed(); };
    wireFileAndEditMenus();
    wireCellMenu();
    buildToolBar();
}

TemplateEditorWindow* findTemplateEditor()
{
    for (Window* window : openWindows())
        if (auto* editor = dynamic_cast<TemplateEditorWindow*>(window))
            return editor;
    return nullptr;
}

TemplateEditorWindow* showTemplateEditor()
{
    TemplateEditorWindow* editor = findTemplateEditor();
    if (editor == nullptr)
        return loadWindow<TemplateEditorWindow>(nullptr, false);
    bringToFront(*editor);
    return editor;
}

void TemplateEditorWindow::onEditorCreated()
{
    applySettings();
    registerFileAssociation(programPathFor(programDirectory(), programFileName()));
    enterDatabaseMode(arguments_);
    modifiedFlag = 0;
    currentFileName = "";
    onEditorResized();
}

void TemplateEditorWindow::enterDatabaseMode(const TextList& arguments)
{
    if (arguments.size() < 2 || !fileExists(arguments[1]))
        return;
    // A file that holds no table is left alone rather than written over.
    if (!数据库提供者1.setDatabaseFile(arguments[1])) {
        messageBox("打开文件失败！", BoxOk | IconStop, "错误");
        return;
    }
    数据源1.setProviderName(kDatabaseProvider);
}

void TemplateEditorWindow::onDatabaseStoreFailed()
{
    // The database file no longer holds the table shown: from now on the
    // document counts as unsaved, so closing offers to save it elsewhere.
    modifiedFlag = 1;
    messageBox("保存文件失败！", BoxOk | IconStop, "错误");
}

bool TemplateEditorWindow::onEditorMayClose() { return askSaveIfModified() == 0; }

void TemplateEditorWindow::onEditorDestroyed() { storeSettings(); }

void TemplateEditorWindow::applySettings() { 表格1.setDisplay(readEditorSettings()); }

void TemplateEditorWindow::storeSettings() { writeEditorSettings(表格1.display()); }

void TemplateEditorWindow::onEditorResized()
{
    moveUnit(表格1, 5, 40, windowClientWidth(*this) - 10, windowClientHeight(*this) - 40);
}

void TemplateEditorWindow::onGridCellEdited() { markModified(); }

void TemplateEditorWindow::onGridMouseDown(int button)
{
    if (button == RightButton)
        popupMenu(编辑);
}

bool TemplateEditorWindow::databaseMode() const { return 数据源1.providerName() == kDatabaseProvider; }

void TemplateEditorWindow::markModified()
{
    if (!databaseMode())
        modifiedFlag = 1;
}

int TemplateEditorWindow::askSaveIfModified()
{
    if (modifiedFlag != 1)
        return 0;
    switch (messageBox("文件已经被修改，是否保存？", BoxYesNoCancel | IconQuestion, "询问")) {
    case AnswerNo:
        return 0;
    case AnswerYes:
        // A save that failed leaves the changes unsaved: the caller stops
        // too, instead of discarding them.
        return saveTable("", false) == 0 && modifiedFlag == 0 ? 0 : 1;
    default:
        return 1;
    }
}

bool TemplateEditorWindow::chooseFile(const Text& title, bool save)
{
    通用对话框1.title = title;
    通用对话框1.kind = save ? CommonDialog::FileSave : CommonDialog::FileOpen;
    return openCommonDialog(通用对话框1);
}

int TemplateEditorWindow::saveTable(const Text& name, bool useGivenName)
{
    Text target = useGivenName ? name : currentFileName;
    if (target.empty()) {
        if (!chooseFile("请输入欲保存到的表格文件名：", true))
            return 1;
        target = 通用对话框1.fileName;
    }
    if (!saveGridFile(数据源1, target)) {
        messageBox("保存文件失败！", BoxOk | IconStop, "错误");
        return 0;
    }
    modifiedFlag = 0;
    currentFileName = target;
    return 0;
}

void TemplateEditorWindow::loadTableFile(const Text& name)
{
    if (!loadGridFile(数据源1, name)) {
        messageBox("打开文件失败！", BoxOk | IconStop, "错误");
        return;
    }
    modifiedFlag = 0;
    currentFileName = name;
}

bool TemplateEditorWindow::confirmReplaceDatabaseTable()
{
    // In database mode every change is already in the database file, so
    // the save question never comes; replacing its whole table asks first.
    if (!databaseMode())
        return true;
    return messageBox("是否替换数据库文件中的整个表格？\r\n替换的信息将不能恢复！", BoxOkCancel | IconExclamation,
                      "警告")
           == AnswerOk;
}

void TemplateEditorWindow::onNewClick()
{
    if (askSaveIfModified() != 0 || !confirmReplaceDatabaseTable())
        return;
    setTableSize(数据源1, 50, 10);
    modifiedFlag = 0;
    currentFileName = "";
}

void TemplateEditorWindow::onOpenClick()
{
    if (askSaveIfModified() != 0)
        return;
    if (chooseFile("请输入欲打开的表格文件名：", false) && confirmReplaceDatabaseTable())
        loadTableFile(通用对话框1.fileName);
}

void TemplateEditorWindow::onSaveClick() { saveTable("", false); }

void TemplateEditorWindow::onSaveAsClick()
{
    if (chooseFile("请输入欲另存到的表格文件名：", true))
        saveTable(通用对话框1.fileName, true);
}

void TemplateEditorWindow::onPrintSetupClick()
{
    if (printSetupDialog(数据源1))
        markModified();
}

void TemplateEditorWindow::onPrintClick()
{
    if (!printSetupDialog(数据源1))
        return;
    markModified();
    if (!printGrid(表格1))
        messageBox("打印失败！", BoxOk | IconStop, "错误");
}

void TemplateEditorWindow::onPrintPreviewClick()
{
    if (printPreview(表格1) == PreviewPrintFailed)
        messageBox("打印失败！", BoxOk | IconStop, "错误");
}

void TemplateEditorWindow::onExitClick()
{
    if (askSaveIfModified() == 0)
        closeWindow(*this);
}
