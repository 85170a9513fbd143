#include "common/dialogs/interaction.h"

#include "common/grid/grid_print.h"
#include "common/internal/colours.h"
#include "common/program/command_line.h"
#include "common/internal/dispatch.h"
#include "common/platform/file_dialog.h"
#include "common/platform/filters.h"
#include "common/grid/grid_paint.h"
#include "common/internal/qt_objects.h"
#include "common/internal/qtext.h"
#include "common/program/program.h"
#include "common/windows/menu.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QCursor>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPaintEngine>
#include <QPointer>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>

namespace {

// Boxes shown inside a long run get the normal cursor back while they wait.
class NormalCursor {
public:
    NormalCursor() : active_(longOperationActive())
    {
        if (active_)
            QApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    ~NormalCursor()
    {
        if (active_)
            QApplication::restoreOverrideCursor();
    }

private:
    bool active_;
};

class FontColourDialog : public QDialog {
public:
    FontColourDialog(const FontChoice& choice, QWidget* parent) : QDialog(parent), colour_(choice.colour)
    {
        setWindowTitle(QStringLiteral("字体"));
        auto* form = new QFormLayout(this);
        face_ = new QFontComboBox(this);
        face_->setEditable(true);
        face_->setCurrentFont(QFont(toQString(choice.font.face)));
        // A face this machine lacks is still named, and stays the choice
        // unless another face is picked.
        face_->setEditText(toQString(choice.font.face));
        size_ = new QSpinBox(this);
        size_->setRange(1, 500);
        size_->setValue(choice.font.points);
        bold_ = new QCheckBox(QStringLiteral("粗体"), this);
        italic_ = new QCheckBox(QStringLiteral("斜体"), this);
        underline_ = new QCheckBox(QStringLiteral("下划线"), this);
        strike_ = new QCheckBox(QStringLiteral("删除线"), this);
        bold_->setChecked(choice.font.bold);
        italic_->setChecked(choice.font.italic);
        underline_->setChecked(choice.font.underline);
        strike_->setChecked(choice.font.strikeOut);
        colourButton_ = new QPushButton(this);
        showColour();
        connect(colourButton_, &QPushButton::clicked, this, [this] {
            QColor c = QColorDialog::getColor(toQColor(colour_), this);
            if (c.isValid()) {
                colour_ = fromQColor(c);
                showColour();
            }
        });
        form->addRow(QStringLiteral("字体："), face_);
        form->addRow(QStringLiteral("大小："), size_);
        form->addRow(bold_);
        form->addRow(italic_);
        form->addRow(underline_);
        form->addRow(strike_);
        form->addRow(QStringLiteral("颜色："), colourButton_);
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        form->addRow(buttons);
    }

    FontChoice choice() const
    {
        FontChoice c;
        c.font.face = fromQString(face_->currentText());
        c.font.points = size_->value();
        c.font.bold = bold_->isChecked();
        c.font.italic = italic_->isChecked();
        c.font.underline = underline_->isChecked();
        c.font.strikeOut = strike_->isChecked();
        c.colour = colour_;
        return c;
    }

private:
    void showColour()
    {
        colourButton_->setStyleSheet(
            QStringLiteral("background-color: %1").arg(toQColor(colour_).name()));
    }

    QFontComboBox* face_;
    QSpinBox* size_;
    QCheckBox *bold_, *italic_, *underline_, *strike_;
    QPushButton* colourButton_;
    int colour_;
};

class QtInteraction : public Interaction {
public:
    int messageBox(const Text& text, int kind, const Text& caption) override
    {
        NormalCursor cursor;
        // Over the window whose handler asks; the box goes with that window
        // should it be destroyed meanwhile.
        QPointer<QMessageBox> box = new QMessageBox(iconOf(kind), toWindowTitle(caption),
                                                    toQString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")),
                                                    QMessageBox::NoButton, handlerWindow());
        switch (kind & 0xF) {
        case BoxOkCancel:
            box->setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            box->setEscapeButton(QMessageBox::Cancel);
            break;
        case BoxYesNoCancel:
            box->setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            box->setEscapeButton(QMessageBox::Cancel);
            break;
        case BoxYesNo:
            box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            box->setEscapeButton(QMessageBox::No);
            break;
        default:
            box->setStandardButtons(QMessageBox::Ok);
            box->setEscapeButton(QMessageBox::Ok);
        }
        const int answer = box->exec();
        delete box;
        switch (answer) {
        case QMessageBox::Ok: return AnswerOk;
        case QMessageBox::Yes: return AnswerYes;
        case QMessageBox::No: return AnswerNo;
        default: return (kind & 0xF) == BoxOk ? AnswerOk : AnswerCancel;
        }
    }

    bool inputBox(const Text& prompt, const Text& caption, Text& value) override
    {
        NormalCursor cursor;
        bool ok = false;
        QString answer = QInputDialog::getText(handlerWindow(), toWindowTitle(caption), toQString(prompt),
                                               QLineEdit::Normal, toQString(value), &ok);
        if (ok)
            value = fromQString(answer);
        return ok;
    }

    bool fileDialog(FileDialogRequest& request) override
    {
        NormalCursor cursor;
        const QString chosen = chooseFile(request, handlerWindow());
        if (chosen.isEmpty())
            return false;
        request.fileName = fromQtPath(chosen);
        return true;
    }

    bool fontDialog(FontChoice& choice) override
    {
        NormalCursor cursor;
        FontColourDialog dialog(choice, handlerWindow());
        if (dialog.exec() != QDialog::Accepted)
            return false;
        choice = dialog.choice();
        return true;
    }

    void popupMenu(Menu& menu) override
    {
        NormalCursor cursor;
        QtObjects::menu(menu)->exec(QCursor::pos());
    }

    bool colourDialog(int& colour) override
    {
        NormalCursor cursor;
        QColor c = QColorDialog::getColor(toQColor(colour), handlerWindow());
        if (!c.isValid())
            return false;
        colour = fromQColor(c);
        return true;
    }

    bool runProgram(const Text& commandLine, int) override
    {
        // No shell: "\" in paths and blanks inside them reach the program.
        return startPlatformCommand(platformCommand(splitCommandLine(commandLine)));
    }

    bool printerAvailable() override { return !QPrinterInfo::defaultPrinter().isNull(); }

    bool printText(const PrintJob& job) override
    {
        QPrinter printer(QPrinterInfo::defaultPrinter());
        if (!printer.isValid())
            return false;
        printer.setPageMargins(QMarginsF(job.leftMargin, job.topMargin, 10, 10), QPageLayout::Millimeter);
        QPainter painter;
        if (!painter.begin(&printer))
            return false;
        const int pageHeight = printer.pageLayout().paintRectPixels(printer.resolution()).height();
        int y = 0;
        for (const PrintJob::Line& line : job.lines) {
            QFont font = QApplication::font();
            font.setPointSize(line.points);
            painter.setFont(font);
            int height = painter.fontMetrics().lineSpacing();
            if (y + height > pageHeight && y > 0) {
                printer.newPage();
                y = 0;
            }
            painter.drawText(0, y + painter.fontMetrics().ascent(), toQString(line.text));
            y += height;
        }
        return painter.end();
    }

    PreviewOutcome printPreview(const GridPrintout& printout) override
    {
        NormalCursor cursor;
        QPrinter printer(QPrinter::HighResolution);
        printout.applyPageSetup(printer);
        QPrintPreviewDialog preview(&printer, handlerWindow());
        preview.setWindowTitle(QStringLiteral("打印预览"));
        // The preview pages are painted on a picture engine; any other
        // engine is the printer (or its file) the person printed to.
        PreviewOutcome outcome = PreviewClosed;
        QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, [&printout, &outcome](QPrinter* target) {
            const bool previewing = target->paintEngine() && target->paintEngine()->type() == QPaintEngine::Picture;
            const bool printed = printout.print(*target);
            if (!previewing)
                outcome = printed ? PreviewPrinted : PreviewPrintFailed;
        });
        // The dialog's own answer does not tell whether anything was printed.
        preview.exec();
        return outcome;
    }

    bool printGridDocument(const GridPrintout& printout, int firstPage, int lastPage) override
    {
        QPrinter printer(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
        if (!printer.isValid())
            return false;
        printout.applyPageSetup(printer);
        return printout.print(printer, firstPage, lastPage);
    }

    bool pageSetupDialog(PageSetup& setup) override
    {
        NormalCursor cursor;
        QPrinter printer(QPrinter::HighResolution);
        printer.setPageLayout(toPageLayout(setup));
        QPageSetupDialog dialog(&printer, handlerWindow());
        if (dialog.exec() != QDialog::Accepted)
            return false;
        setup = fromPageLayout(printer.pageLayout(), setup);
        return true;
    }

private:
    static QMessageBox::Icon iconOf(int kind)
    {
        switch (kind & 0xF0) {
        case IconStop: return QMessageBox::Critical;
        case IconQuestion: return QMessageBox::Question;
        case IconExclamation: return QMessageBox::Warning;
        case IconInformation: return QMessageBox::Information;
        default: return QMessageBox::NoIcon;
        }
    }
};

} // namespace

Interaction& platformInteraction()
{
    // Qt's boxes and dialogs need the application object.
    ensureRuntime();
    static QtInteraction qtInteraction;
    return qtInteraction;
}

QString qtFileFilter(const Text& filter)
{
    const QString all = QStringLiteral("所有文件 (*)");
    QStringList parts = toQString(filter).split(QLatin1Char('|'));
    if (parts.size() >= 2) {
        QStringList filters;
        for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
            filters << QStringLiteral("%1 (%2)").arg(parts[i], parts[i + 1].replace(QLatin1Char(';'), QLatin1Char(' ')));
        return filters.join(QStringLiteral(";;"));
    }
    const QString& description = parts.value(0);
    static const QRegularExpression inParentheses(QStringLiteral("[(（]([^)）]*)[)）]"));
    QRegularExpressionMatch match = inParentheses.match(description);
    if (description.isEmpty() || !match.hasMatch())
        return all;
    return QStringLiteral("%1 (%2);;%3").arg(description, match.captured(1).toLower() + QLatin1Char(' ') + match.captured(1), all);
}
