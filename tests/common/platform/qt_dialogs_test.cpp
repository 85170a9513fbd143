// What the person sees of the dialogs Qt draws for the program: Chinese
// buttons, empty captions left empty, filters named once, the font dialog
// on the font in use.
#include "common/dialogs/interaction.h"
#include "common/internal/qt_objects.h"
#include "common/internal/qtext.h"
#include "common/runtime.h"
#include "tests/common/grid/grid_test_window.h"
#include "tests/support/gbk_print.h"
#include "tests/support/user_actions.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontComboBox>
#include <QHeaderView>
#include <QLocale>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <functional>
#include <map>

namespace {

// Runs `inspect` on the next modal dialog once it shows; `inspect` closes it.
void whenDialogOpens(std::function<void(QWidget&)> inspect)
{
    auto* poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, [poll, inspect] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            poll->deleteLater();
            poll->stop();
            inspect(*dialog);
        }
    });
    poll->start(10);
}

TEST(QtDialogs, MessageBoxesSpeakChineseAndKeepAnEmptyCaptionEmpty)
{
    struct Case {
        int kind;
        std::vector<const char*> buttons;
    } cases[] = {
        {BoxOk, {"确定"}},
        {BoxOkCancel | IconExclamation, {"确定", "取消"}},
        {BoxYesNo | IconExclamation, {"是(Y)", "否(N)"}},   // with their access keys
        {BoxYesNoCancel | IconQuestion, {"是(Y)", "否(N)", "取消"}},
    };
    for (const Case& c : cases) {
        TextList shown;
        QString title = QStringLiteral("not shown");
        whenDialogOpens([&](QWidget& dialog) {
            auto& box = dynamic_cast<QMessageBox&>(dialog);
            title = box.windowTitle();
            for (QAbstractButton* button : box.buttons())
                shown.push_back(fromQString(button->text().remove(QLatin1Char('&'))));
            QTest::keyClick(&box, Qt::Key_Escape);
        });
        messageBox("文件已经被修改，是否保存？", c.kind, "");
        TextList expected(c.buttons.begin(), c.buttons.end());
        std::sort(shown.begin(), shown.end());
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(shown, expected) << c.kind;
        EXPECT_TRUE(title.trimmed().isEmpty()) << title.toStdString();
    }
}

// A window with a button whose handler asks, and a button that opens a
// window whose created event asks.
struct AskingWindow : Window {
    explicit AskingWindow(const Rect& place) : Window("AskingWindow", place, "")
    {
        ask.clicked = [] { messageBox("确定吗？", BoxOkCancel); };
        open.clicked = [this] { loadWindow<AskingWindow>(this, true, Rect{200, 150, 200, 120}, true); };
    }
    AskingWindow(const Rect& place, bool askWhenCreated) : AskingWindow(place)
    {
        created = [this, askWhenCreated] {
            if (askWhenCreated) {
                messageBox("确定吗？", BoxOk);
                closeWindow(*this);
            }
        };
    }
    Button ask{*this, "ask", {10, 10, 80, 24}, "ask"};
    Button open{*this, "open", {10, 40, 80, 24}, "open"};
};

// Message boxes open centred over the window whose handler shows them; a
// window that is not shown yet lets the window that opened it hold its box.
TEST(QtDialogs, AMessageBoxOpensOverTheWindowWhoseHandlerShowsIt)
{
    AskingWindow* left = loadWindow<AskingWindow>(nullptr, false, Rect{10, 10, 300, 220});
    AskingWindow* right = loadWindow<AskingWindow>(nullptr, false, Rect{430, 300, 340, 260});
    ASSERT_TRUE(left && right);
    const std::pair<AskingWindow*, Button AskingWindow::*> cases[] = {
        {left, &AskingWindow::ask}, {right, &AskingWindow::ask}, {right, &AskingWindow::open}};
    for (const auto& [window, button] : cases) {
        QPoint boxCentre;
        whenDialogOpens([&](QWidget& dialog) {
            boxCentre = dialog.frameGeometry().center();
            QTest::keyClick(&dialog, Qt::Key_Escape);
        });
        click(window->*button);
        const QPoint windowCentre = QtObjects::container(*window)->window()->frameGeometry().center();
        EXPECT_LE((boxCentre - windowCentre).manhattanLength(), 4)
            << "box at " << boxCentre.x() << "," << boxCentre.y() << ", window at " << windowCentre.x() << ","
            << windowCentre.y();
    }
    closeWindow(*left);
    closeWindow(*right);
    processEvents();
}

TEST(QtDialogs, AWindowWithoutCaptionGivesTheWindowSystemNoEmptyTitle)
{
    Window window("Untitled", {0, 0, 200, 100}, "");
    EXPECT_TEXT_EQ("", window.caption());
    EXPECT_FALSE(QtObjects::container(window)->window()->windowTitle().isEmpty());
    window.setCaption("数据备份");
    EXPECT_TEXT_EQ("数据备份", window.caption());
}

TEST(QtDialogs, FileFiltersShowTheirDescriptionOnce)
{
    struct Case {
        Text filter;
        QStringList shown;
    } cases[] = {
        {"表格文件(*.grd)|*.grd", {QStringLiteral("表格文件(*.grd)")}},
        {"备份文件(*.JQV)", {QStringLiteral("备份文件(*.JQV)"), QStringLiteral("所有文件")}},
    };
    for (const Case& c : cases) {
        QStringList shown;
        whenDialogOpens([&](QWidget& dialog) {
            auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
            for (int i = 0; types && i < types->count(); ++i)
                shown << types->itemText(i);
            static_cast<QDialog&>(dialog).reject();
        });
        FileDialogRequest request;
        request.filter = c.filter;
        EXPECT_FALSE(interaction().fileDialog(request));
        EXPECT_EQ(shown, c.shown) << gbkToUtf8(c.filter);
    }
}

// The texts of the files a detail view shows cut short, with their column.
std::vector<std::string> cutTexts(QTreeView& view)
{
    std::vector<std::string> cut;
    const QHeaderView* header = view.header();
    const QModelIndex root = view.rootIndex();
    for (int column = 0; column < header->count(); ++column) {
        if (header->isSectionHidden(column))
            continue;
        const bool outside = header->sectionViewportPosition(column) + header->sectionSize(column) > view.viewport()->width();
        for (int row = 0; row < view.model()->rowCount(root); ++row) {
            const QModelIndex index = view.model()->index(row, column, root);
            if (outside || view.sizeHintForIndex(index).width() > header->sectionSize(column))
                cut.push_back(index.data().toString().toStdString() + " (column " + std::to_string(column) + ")");
        }
    }
    return cut;
}

// The file dialog speaks Chinese: its column captions, the files' sizes,
// types and dates. It opens with every column of the program directory's
// files whole.
TEST(QtDialogs, TheFileDialogShowsTheProgramDirectoryWholeInChinese)
{
    const QString directory = qEnvironmentVariable("QELVANA_PROGRAM_DIR");
    ASSERT_TRUE(QFileInfo::exists(directory + QStringLiteral("/Meeting.dsn"))) << directory.toStdString();
    const qsizetype entries = QDir(directory).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size();
    std::vector<std::string> cut;
    QStringList captions;
    std::map<QString, QStringList> shown;   // by name: size, type, date
    whenDialogOpens([&](QWidget& dialog) {
        auto* view = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
        ASSERT_NE(view, nullptr);
        auto* waited = new QElapsedTimer;
        waited->start();
        auto* poll = new QTimer(&dialog);
        QObject::connect(poll, &QTimer::timeout, [&, poll, view, waited] {
            const QModelIndex root = view->rootIndex();
            const bool late = waited->elapsed() > 5000;
            if (!late && (view->model()->rowCount(root) < entries || !cutTexts(*view).empty()))
                return;
            poll->stop();
            delete waited;
            cut = cutTexts(*view);
            for (int column = 0; column < 4; ++column)
                captions << view->model()->headerData(column, Qt::Horizontal).toString();
            for (int row = 0; row < view->model()->rowCount(root); ++row)
                shown[view->model()->index(row, 0, root).data().toString()] = {
                    view->model()->index(row, 1, root).data().toString(),
                    view->model()->index(row, 2, root).data().toString(),
                    view->model()->index(row, 3, root).data().toString()};
            static_cast<QDialog&>(dialog).reject();
        });
        poll->start(20);
    });
    FileDialogRequest request;
    request.initialDirectory = fromQtPath(directory);
    EXPECT_FALSE(interaction().fileDialog(request));
    EXPECT_EQ(static_cast<size_t>(entries), shown.size());
    EXPECT_EQ(std::vector<std::string>{}, cut);
    EXPECT_EQ(captions.join(QLatin1Char('|')).toStdString(), QStringLiteral("名称|体积|类型|修改日期").toStdString());
    const QLocale chinese(QLocale::Chinese, QLocale::China);
    const QFileInfo dsn(directory + QStringLiteral("/Meeting.dsn"));
    EXPECT_EQ(shown[QStringLiteral("Meeting.dsn")].join(QLatin1Char('|')).toStdString(),
              (chinese.formattedDataSize(dsn.size()) + QStringLiteral("|纯文本文档|")
               + chinese.toString(dsn.lastModified(), QLocale::ShortFormat)).toStdString());
    EXPECT_EQ(shown[QStringLiteral("pictures")].value(1).toStdString(), QStringLiteral("文件夹").toStdString());
}

TEST(QtDialogs, TheFontDialogOpensOnTheFontInUse)
{
    // "宋体" is not installed here; OK without another choice keeps it.
    for (const char* face : {"宋体", "WenQuanYi Zen Hei"}) {
        QString shown;
        whenDialogOpens([&](QWidget& dialog) {
            shown = dialog.findChild<QFontComboBox*>()->currentText();
            static_cast<QDialog&>(dialog).accept();
        });
        FontChoice choice{{face, 12}, 0};
        ASSERT_TRUE(interaction().fontDialog(choice));
        EXPECT_EQ(fromQString(shown), Text(face));
        EXPECT_TEXT_EQ(face, choice.font.face);
        EXPECT_EQ(choice.font.points, 12);
    }

    QString picked;
    whenDialogOpens([&](QWidget& dialog) {
        auto* faces = dialog.findChild<QFontComboBox*>();
        faces->setCurrentIndex(faces->count() - 1);
        picked = faces->currentFont().family();
        static_cast<QDialog&>(dialog).accept();
    });
    FontChoice choice{{"宋体", 12}, 0};
    ASSERT_TRUE(interaction().fontDialog(choice));
    EXPECT_EQ(toQString(choice.font.face), picked);
}

// A print started from the preview window goes through Qt's print dialog
// to the printer the preview holds; its result is what the caller hears.
TEST(QtDialogs, APrintFromThePreviewTellsWhetherItWasPrinted)
{
    GridWindow w;
    setTableSize(w.数据源1, 2, 2);
    setCellText(w.数据源1, 1, 1, "会议代表一览表");
    QTemporaryDir dir;
    const QString written = dir.filePath(QStringLiteral("preview.pdf"));
    struct Case {
        QString target;   // "" closes the preview without printing
        PreviewOutcome outcome;
    } cases[] = {
        {written, PreviewPrinted},
        {QStringLiteral("/no-such-directory/preview.pdf"), PreviewPrintFailed},
        {QString(), PreviewClosed},
    };
    for (const Case& c : cases) {
        whenDialogOpens([&c](QWidget& dialog) {
            auto& preview = dynamic_cast<QPrintPreviewDialog&>(dialog);
            if (c.target.isEmpty()) {
                preview.reject();
                return;
            }
            preview.printer()->setOutputFileName(c.target);
            // The print dialog opens from the preview's print button.
            auto* poll = new QTimer(qApp);
            QObject::connect(poll, &QTimer::timeout, [poll] {
                if (auto* print = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget())) {
                    poll->deleteLater();
                    poll->stop();
                    print->accept();
                }
            });
            poll->start(10);
            for (QAction* action : preview.findChildren<QAction*>())
                if (const QString text = action->text().remove(QLatin1Char('&'));
                    text == QStringLiteral("打印") || text == QStringLiteral("Print")) {
                    action->trigger();
                    return;
                }
            ADD_FAILURE() << "the preview shows no print button";
            preview.reject();
        });
        EXPECT_EQ(printPreview(w.表格1), c.outcome) << c.target.toStdString();
    }
    EXPECT_TRUE(QFile::exists(written));
}

} // namespace
