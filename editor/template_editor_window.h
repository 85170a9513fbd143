#pragma once
// The template editor: one grid document (".grd") at a time, shown in one
// grid, with its file, edit and cell menus and its tool bar. It has no
// owner: it stays open when the main window closes.
#include "common/grid/grid_database_provider.h"
#include "common/runtime.h"

class TemplateEditorWindow : public Window {
public:
    // `arguments` is the program's command line (element 1 the first
    // argument); an existing, readable table file there opens database mode.
    explicit TemplateEditorWindow(TextList arguments = commandLineArgs());

    // Menus. Shortcut codes: 1-26 Ctrl+A..Z.
    Menu 文件{*this, "&F.文件"};
    MenuItem 新建{文件, "新建", "&N.新建", 14};
    MenuItem 打开{文件, "打开", "&O.打开", 15};
    MenuItem 保存{文件, "保存", "&S.保存", 19};
    MenuItem 另存为{文件, "另存为", "&A.另存为"};
    MenuSeparator 分隔1{文件};
    MenuItem 打印设置{文件, "打印设置", "&U.打印设置"};
    MenuItem 打印{文件, "打印", "&P.打印", 16};
    MenuItem 打印预览{文件, "打印预览", "&V.打印预览"};
    MenuSeparator 分隔2{文件};
    MenuItem 退出{文件, "退出", "&X.退出"};

    Menu 编辑{*this, "&E.编辑"};
    MenuItem 剪切{编辑, "剪切", "&T.剪切", 24};
    MenuItem 复制{编辑, "复制", "&C.复制", 3};
    MenuItem 粘贴{编辑, "粘贴", "&V.粘贴", 22};
    MenuSeparator 分隔3{编辑};
    MenuItem 组合{编辑, "组合", "&M.组合"};
    MenuItem 分解{编辑, "分解", "&L.分解"};
    MenuItem 置表头行数{编辑, "置表头行数", "&E.置表头行数"};
    MenuItem 置表头列数{编辑, "置表头列数", "&B.置表头列数"};
    Menu 行列{编辑, "&D.行列"};
    MenuItem 插入行{行列, "插入行", "&I.插入行", 9};
    MenuItem 插入列{行列, "插入列", "&L.插入列"};
    MenuItem 删除行{行列, "删除行", "&R.删除行", 4};
    MenuItem 删除列{行列, "删除列", "&O.删除列"};
    MenuItem 置行高{行列, "置行高", "&H.置行高"};
    MenuItem 置列宽{行列, "置列宽", "&W.置列宽"};
    MenuItem 添加数据{编辑, "添加数据", "&A.添加数据"};
    MenuSeparator 分隔4{编辑};
    MenuItem 表格属性{编辑, "表格属性", "&G.表格属性"};
    MenuSeparator 分隔5{编辑};
    Menu 语言转换{编辑, "&N.语言转换"};
    MenuItem 简体到繁体{语言转换, "简体到繁体", "&1.GBK简体中文->BIG5繁体中文"};
    MenuItem 繁体到简体{语言转换, "繁体到简体", "&2.BIG5繁体中文->GBK简体中文"};
    Menu 显示比例{编辑, "&S.显示比例"};
    MenuItem 比例50{显示比例, "比例50", "&1. 50%"};
    MenuItem 比例100{显示比例, "比例100", "&2. 100%"};
    MenuItem 比例200{显示比例, "比例200", "&3. 200%"};
    MenuItem 等宽{显示比例, "等宽", "&4. 等宽"};

    Menu 单元格{*this, "&C.单元格"};
    Menu 单元格类型{单元格, "&T.单元格类型"};
    MenuItem 文本型{单元格类型, "文本型", "&T.文本型"};
    MenuItem 图片文件名型{单元格类型, "图片文件名型", "&F.图片文件名型"};
    MenuItem 图片数据型{单元格类型, "图片数据型", "&P.图片数据型"};
    MenuItem 文本颜色{单元格, "文本颜色", "&F.文本颜色"};
    MenuItem 背景颜色{单元格, "背景颜色", "&B.背景颜色"};
    MenuItem 字体{单元格, "字体", "&N.字体"};
    MenuItem 边距{单元格, "边距", "&R.边距"};
    Menu 输入方式{单元格, "&O.输入方式"};
    MenuItem 通常型{输入方式, "通常型", "&1.通常型"};
    MenuItem 字节型{输入方式, "字节型", "&2.字节型"};
    MenuItem 短整数型{输入方式, "短整数型", "&3.短整数型"};
    MenuItem 整数型{输入方式, "整数型", "&4.整数型"};
    MenuItem 长整数型{输入方式, "长整数型", "&5.长整数型"};
    MenuItem 小数型{输入方式, "小数型", "&6.小数型"};
    MenuItem 双精度小数型{输入方式, "双精度小数型", "&7.双精度小数型"};
    MenuItem 逻辑型{输入方式, "逻辑型", "&8.逻辑型"};
    MenuItem 日期时间型{输入方式, "日期时间型", "&9.日期时间型"};
    Menu 对齐方式{单元格, "&A.对齐方式"};
    MenuItem 上左{对齐方式, "上左", "&1.上左"};
    MenuItem 上中{对齐方式, "上中", "&2.上中"};
    MenuItem 上右{对齐方式, "上右", "&3.上右"};
    MenuItem 中左{对齐方式, "中左", "&4.中左"};
    MenuItem 中中{对齐方式, "中中", "&5.中中"};
    MenuItem 中右{对齐方式, "中右", "&6.中右"};
    MenuItem 下左{对齐方式, "下左", "&7.下左"};
    MenuItem 下中{对齐方式, "下中", "&8.下中"};
    MenuItem 下右{对齐方式, "下右", "&9.下右"};
    MenuItem 缩放图片{对齐方式, "缩放图片", "&A.缩放图片"};
    MenuItem 居中图片{对齐方式, "居中图片", "&B.居中图片"};
    MenuItem 缩放居中图片{对齐方式, "缩放居中图片", "&C.缩放居中图片"};
    MenuItem 平铺图片{对齐方式, "平铺图片", "&D.平铺图片"};
    MenuItem 缩放平铺图片{对齐方式, "缩放平铺图片", "&E.缩放平铺图片"};
    Menu 边框或线条{单元格, "&L.边框或线条"};
    MenuItem 添加边框{边框或线条, "添加边框", "&A.添加边框"};
    MenuItem 添加全部表格线{边框或线条, "添加全部表格线", "&L.添加全部表格线"};
    MenuItem 添加水平表格线{边框或线条, "添加水平表格线", "&H.添加水平表格线"};
    MenuItem 添加垂直表格线{边框或线条, "添加垂直表格线", "&V.添加垂直表格线"};
    MenuItem 添加单斜线{边框或线条, "添加单斜线", "&1.添加单斜线"};
    MenuItem 添加双斜线{边框或线条, "添加双斜线", "&2.添加双斜线"};
    MenuItem 添加交叉线{边框或线条, "添加交叉线", "&3.添加交叉线"};
    MenuSeparator 分隔6{边框或线条};
    MenuItem 清除内部表格线{边框或线条, "清除内部表格线", "&R.清除内部表格线"};
    MenuItem 清除斜线或交叉线{边框或线条, "清除斜线或交叉线", "&B.清除斜线或交叉线"};
    MenuItem 清除所有表格线{边框或线条, "清除所有表格线", "&C.清除所有表格线"};
    Menu 杂项{单元格, "&C.杂项"};
    MenuItem 置为只读{杂项, "置为只读", "&1.置为只读"};
    MenuItem 取消只读{杂项, "取消只读", "&2.取消只读"};
    MenuItem 密码方式输入{杂项, "密码方式输入", "&3.密码方式输入"};
    MenuItem 取消密码方式{杂项, "取消密码方式", "&4.取消密码方式"};
    MenuSeparator 分隔7{单元格};
    MenuItem 清空{单元格, "清空", "&E.清空"};
    MenuItem 写入图片数据{单元格, "写入图片数据", "&D.写入图片数据"};

    Menu 关于{*this, "&A.关于"};
    MenuItem 关于Tabrel{关于, "关于Tabrel", "&A.关于Tabrel"};

    // Units.
    ToolBar 工具条1{*this, "工具条1", {0, 0, 413, 40}};
    GenericProvider 通用提供者1{*this, "通用提供者1"};
    GenericProvider 通用提供者2{*this, "通用提供者2"};
    DatabaseProvider 数据库提供者1{*this, "数据库提供者1"};
    DataSource 数据源1{*this, "数据源1", "通用提供者1"};
    DataSource 数据源2{*this, "数据源2", "通用提供者2"};
    GridTable 表格1{*this, "表格1", {5, 40, 403, 269}, "数据源1"};
    CommonDialog 通用对话框1{"通用对话框1"};
    CommonDialog 字体对话框{"字体对话框", CommonDialog::Font};
    CommonDialog 图片文件对话框{"图片文件对话框"};

    // Window events.
    void onEditorCreated();
    bool onEditorMayClose();
    void onEditorDestroyed();
    void onEditorResized();
    void onGridCellEdited();
    void onGridMouseDown(int button);
    void onToolbarButtonClick(int number);

    // File menu.
    void onNewClick();
    void onOpenClick();
    void onSaveClick();
    void onSaveAsClick();
    void onPrintSetupClick();
    void onPrintClick();
    void onPrintPreviewClick();
    void onExitClick();

    // Edit menu.
    void onCutClick();
    void onCopyClick();
    void onPasteClick();
    void onMergeClick();
    void onSplitClick();
    void onHeaderRowsClick();
    void onHeaderColumnsClick();
    void onInsertRowClick();
    void onInsertColumnClick();
    void onDeleteRowsClick();
    void onDeleteColumnsClick();
    void onRowHeightClick();
    void onColumnWidthClick();
    void onAddDataClick();
    void onTablePropertiesClick();
    void onZoomClick(int percent);
    void onFitWidthClick();
    void onAboutClick();

    // Cell menu and the tool bar's line and marking buttons.
    void onTextColourClick();
    void onBackgroundColourClick();
    void onFontClick();
    void onMarginClick();
    void onClearClick();
    void onPictureDataClick();
    void onNotToFillClick();
    void onRestoreClick();

    // Shared routines.
    void markModified();
    int askSaveIfModified();                       // 1: the caller stops
    int saveTable(const Text& name, bool useGivenName);   // 1: not saved
    void loadTableFile(const Text& name);
    void convertAllCells(int mode);
    bool databaseMode() const;

private:
    struct Block {
        int row, column, rows, columns;
    };
    Block selectedBlock() const;
    bool chooseFile(const Text& title, bool save);
    bool confirmReplaceDatabaseTable();
    bool chooseColour();
    void applyChosenColour(void (*set)(DataSource&, int, int, int, int, int));
    void fillBlockText(const Text& text);
    void wireFileAndEditMenus();
    void wireCellMenu();
    void buildToolBar();
    void applySettings();
    void storeSettings();
    void enterDatabaseMode(const TextList& arguments);
    void onDatabaseStoreFailed();

    TextList arguments_;
};

// The editor that is open, or nullptr. Its document's modified flag and file
// name are the program's one pair (state/), so one editor at most is open.
TemplateEditorWindow* findTemplateEditor();
// Brings the open editor to the front, or opens one when none is open.
TemplateEditorWindow* showTemplateEditor();
