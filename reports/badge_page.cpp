// The badge designer: one delegate's badge at a time on page "证件模板".
// Its elements are selected with the mouse, moved and sized through four
// number boxes, restyled, shown or hidden; the badge is printed as shown
// and its layout stored in the one row of 会议证件.
#include "reports/report_values.h"
#include "reports/report_window.h"

#include <utility>

namespace {

using report::fieldText;

// The design gives each text by the height of its lines in pixels.
LabelFont designFont(const Text& face, int lineHeight, bool bold = false)
{
    return {face, pointsForLineHeight(face, lineHeight, bold), bold ? 1 : 0};
}
// Under the background picture, and the badge's colour should the picture
// be missing.
const int kDesignBackground = rgbColour(196, 40, 36);
const int kWhite = rgbColour(255, 255, 255);

std::function<void(int)> onLeftButton(std::function<void()> action)
{
    return [action = std::move(action)](int button) {
        if (button == LeftButton)
            action();
    };
}

} // namespace

void ReportWindow::wireBadgePage()
{
    图片框1.setBackgroundColour(kDesignBackground);
    图片框1.setStretched(true);
    图片框1.setPicture(loadPicture("badge_background.jpg"));
    照片框.setPicture(loadPicture("badge_photo.png"));
    会议名称标签.setLabelFont(designFont("隶书", 32, true));
    会议名称标签.setTextColour(kWhite);
    会议名称标签.setEffect(TransparentLabel::Shadowed);
    姓名标签.setLabelFont(designFont("楷体_GB2312", 29, true));
    单位标签.setLabelFont(designFont("楷体_GB2312", 20));
    出席证标签.setLabelFont(designFont("华文中宋", 32));
    图形按钮1.setPicture(loadPicture("record_first.png"));
    图形按钮4.setPicture(loadPicture("record_previous.png"));
    图形按钮3.setPicture(loadPicture("record_next.png"));
    图形按钮2.setPicture(loadPicture("record_last.png"));

    图形按钮1.clicked = [this] { badgeShowFirstRecord(); };
    图形按钮4.clicked = [this] { badgeShowPreviousRecord(); };
    图形按钮3.clicked = [this] { badgeShowNextRecord(); };
    图形按钮2.clicked = [this] { badgeShowLastRecord(); };
    会议名称标签.mouseUp = onLeftButton([this] { selectBadgeMeetingName(); });
    姓名标签.mouseUp = onLeftButton([this] { selectBadgeName(); });
    单位标签.mouseUp = onLeftButton([this] { selectBadgeUnit(); });
    出席证标签.mouseUp = onLeftButton([this] { selectBadgeKindLabel(); });
    照片框.mouseUp = onLeftButton([this] { selectBadgePhotoFrame(); });
    横.changed = [this] { applyBadgeElementLeft(); };
    纵.changed = [this] { applyBadgeElementTop(); };
    宽.changed = [this] { applyBadgeElementWidth(); };
    高.changed = [this] { applyBadgeElementHeight(); };
    字体按钮.clicked = [this] { applyBadgeElementFont(); };
    标签式样.selectionChanged = [this] { applyBadgeElementStyle(); };
    会议名称.clicked = [this] { toggleBadgeMeetingName(); };
    姓名.clicked = [this] { toggleBadgeName(); };
    单位.clicked = [this] { toggleBadgeUnit(); };
    照片.clicked = [this] { toggleBadgePhoto(); };
    出席证.clicked = [this] { toggleBadgeKindLabel(); };
    标签6.mouseUp = onLeftButton([this] { setBadgeKindStaff(); });
    换底图.clicked = [this] { changeBadgeBackground(); };
    清底图.clicked = [this] { clearBadgeBackground(); };
    模板高.clicked = [this] { setBadgeTemplateHeight(); };
    模板宽.clicked = [this] { setBadgeTemplateWidth(); };
    打印.clicked = [this] { printBadge(); };
    保存.clicked = [this] {
        if (!saveBadgeLayout())
            messageBox("证件模板保存失败！", BoxOk | IconStop, "错误");
    };

    // The element still selected from an earlier window: the boxes show its
    // values, so that the font button does not apply this window's empty
    // width box to it.
    if (Unit* element = activeElement())
        selectBadgeElement(*element, activeBadgeElement);
}

// ---- delegates ---------------------------------------------------------

void ReportWindow::badgeShowFirstRecord() { showBadgeRecord(recordMoveFirst); }
void ReportWindow::badgeShowPreviousRecord() { showBadgeRecord(recordMovePrevious); }
void ReportWindow::badgeShowNextRecord() { showBadgeRecord(recordMoveNext); }
void ReportWindow::badgeShowLastRecord() { showBadgeRecord(recordMoveLast); }

void ReportWindow::showBadgeRecord(void (*move)(int recordSet))
{
    const int rs = reportRecordSet;
    move(rs);
    // A move off either end stays on the first or last delegate.
    if (recordSetAtStart(rs))
        recordMoveFirst(rs);
    if (recordSetAtEnd(rs))
        recordMoveLast(rs);
    if (recordSetAtEnd(rs))
        return;   // no delegate at all
    图片框1.setVisible(false);
    会议名称标签.setCaption(currentMeetingName);
    姓名标签.setCaption(fieldText(rs, "姓名"));
    单位标签.setCaption(fieldText(rs, "单位"));
    if (照片.checked()) {
        const Text photo = fieldText(rs, "照片");
        // A stored name is read only as a file of the data directory.
        const bool stored = !trimSpaces(photo).empty() && isBareFileName(photo);
        if (stored)
            照片框.setPicture(readFile(programDirectory() + "\\DATA\\" + photo));
        照片框.setVisible(stored);
    }
    图片框1.setVisible(true);
}

// ---- the active element --------------------------------------------------

void ReportWindow::selectBadgeMeetingName() { selectBadgeElement(会议名称标签, "会议名称"); }
void ReportWindow::selectBadgeName() { selectBadgeElement(姓名标签, "姓名"); }
void ReportWindow::selectBadgeUnit() { selectBadgeElement(单位标签, "单位"); }
void ReportWindow::selectBadgeKindLabel() { selectBadgeElement(出席证标签, "出席证"); }
void ReportWindow::selectBadgePhotoFrame() { selectBadgeElement(照片框, "照片框"); }

TransparentLabel* ReportWindow::activeTextElement()
{
    const std::pair<const char*, TransparentLabel*> labels[] = {
        {"会议名称", &会议名称标签}, {"姓名", &姓名标签}, {"单位", &单位标签}, {"出席证", &出席证标签}};
    for (const auto& [name, label] : labels)
        if (activeBadgeElement == name)
            return label;
    return nullptr;
}

Unit* ReportWindow::activeElement()
{
    if (activeBadgeElement == "照片框")
        return &照片框;
    return activeTextElement();
}

void ReportWindow::selectBadgeElement(Unit& element, const Text& name)
{
    // No element is active while the boxes are filled: their change
    // handlers must not move the one selected before.
    activeBadgeElement = "";
    横.setContent(toText(element.left()));
    纵.setContent(toText(element.top()));
    高.setContent(toText(element.height()));
    宽.setContent(toText(element.width()));
    activeBadgeElement = name;
    if (TransparentLabel* label = activeTextElement()) {
        字体对话框.font = {label->labelFont().face, label->labelFont().points};
        字体对话框.fontColour = label->textColour();
        标签式样.setCurrentIndex(label->effect());
    }
}

void ReportWindow::applyBadgeElementLeft() { applyBadgeElementNumber(横, &Unit::setLeft); }
void ReportWindow::applyBadgeElementTop() { applyBadgeElementNumber(纵, &Unit::setTop); }
void ReportWindow::applyBadgeElementWidth() { applyBadgeElementNumber(宽, &Unit::setWidth); }
void ReportWindow::applyBadgeElementHeight() { applyBadgeElementNumber(高, &Unit::setHeight); }

void ReportWindow::applyBadgeElementNumber(const EditBox& box, void (Unit::*set)(int))
{
    if (Unit* element = activeElement())
        (element->*set)(toInteger(box.content()));
}

void ReportWindow::changeTextElement(const std::function<void(TransparentLabel&)>& change)
{
    TransparentLabel* label = activeTextElement();
    if (!label)
        return;
    // A restyle is no request to print the element: one hidden through its
    // check box stays hidden.
    const bool shown = label->visible();
    label->setVisible(false);
    change(*label);
    label->setVisible(shown);
}

void ReportWindow::applyBadgeElementFont()
{
    if (!openCommonDialog(字体对话框))
        return;
    const LabelFont font{字体对话框.font.face, 字体对话框.font.points};
    const int width = toInteger(宽.content()), colour = 字体对话框.fontColour;
    changeTextElement([&](TransparentLabel& label) {
        label.setWidth(width);
        label.setLabelFont(font);
        label.setTextColour(colour);
    });
}

void ReportWindow::applyBadgeElementStyle()
{
    // The items' values are their positions.
    const int effect = 标签式样.currentIndex();
    if (effect >= 0)
        changeTextElement([effect](TransparentLabel& label) { label.setEffect(effect); });
}

// ---- what the badge shows -----------------------------------------------------

void ReportWindow::toggleBadgeMeetingName() { 会议名称标签.setVisible(会议名称.checked()); }
void ReportWindow::toggleBadgeName() { 姓名标签.setVisible(姓名.checked()); }
void ReportWindow::toggleBadgeUnit() { 单位标签.setVisible(单位.checked()); }
void ReportWindow::toggleBadgePhoto() { 照片框.setVisible(照片.checked()); }

void ReportWindow::toggleBadgeKindLabel()
{
    if (出席证.checked())
        出席证标签.setCaption("出席证");
    出席证标签.setVisible(出席证.checked());
}

// The staff badge is chosen explicitly, so the strip shows whatever the
// state of the 出席证 box.
void ReportWindow::setBadgeKindStaff()
{
    出席证标签.setVisible(false);
    出席证标签.setCaption("工作证");
    出席证标签.setVisible(true);
}

void ReportWindow::changeBadgeBackground()
{
    if (!openCommonDialog(底图对话框))
        return;
    const Bytes picture = readFile(底图对话框.fileName);
    if (picture.empty()) {
        messageBox("无法读取底图" + shownPath(底图对话框.fileName) + "！", BoxOk | IconStop, "错误");
        return;
    }
    if (!isPicture(picture)) {
        messageBox("文件" + shownPath(底图对话框.fileName) + "不是图片，底图未更换！", BoxOk | IconStop, "错误");
        return;
    }
    图片框1.setPicture(picture);
}

void ReportWindow::clearBadgeBackground()
{
    图片框1.setPicture("");
    图片框1.setBackgroundColour(kWhite);
}

void ReportWindow::setBadgeTemplateHeight()
{
    askBadgeSize("请输入模板的高度", "模板高", &Unit::setHeight, 图片框1.height(), 画板1.height() - 图片框1.top());
}

void ReportWindow::setBadgeTemplateWidth()
{
    askBadgeSize("请输入模板的宽度", "模板宽", &Unit::setWidth, 图片框1.width(), 画板1.width() - 图片框1.left());
}

// The badge stays inside the canvas: what is printed is what the user sees.
void ReportWindow::askBadgeSize(const Text& prompt, const Text& caption, void (Unit::*set)(int), int current,
                                int largest)
{
    int size = current;
    if (!inputBox(prompt, caption, size))
        return;
    if (size <= 0) {
        messageBox(caption + "必须大于0，模板未改变！", BoxOk | IconExclamation, caption);
        return;
    }
    if (size > largest) {
        messageBox(caption + "超出画板，最大为" + toText(largest) + "，已设为" + toText(largest) + "！",
                   BoxOk | IconExclamation, caption);
        size = largest;
    }
    (图片框1.*set)(size);
}

// ---- printing and the stored layout ------------------------------------------

void ReportWindow::printBadge()
{
    const Bytes picture = windowSnapshot(unitWindowHandle(图片框1));
    const Text path = programDirectory() + "\\temp.bmp";
    const int file = picture.empty() ? 0 : openFile(path, FileWrite);
    const bool written = writeBytesToFile(file, picture);
    closeFile(file);
    if (!written) {
        messageBox("无法保存证件图片" + shownPath(path) + "，未能打印！", BoxOk | IconStop, "错误");
        return;
    }
    // The picture's full path: a bare name would be looked for in whatever
    // the current directory is.
    if (!runProgram("mspaint  \"" + path + "\"  /p", 1))
        messageBox("无法启动打印程序！", BoxOk | IconStop, "错误");
}

bool ReportWindow::saveBadgeLayout()
{
    auto place = [](const Text& name, const Unit& unit) {
        return name + "宽=" + toText(unit.width()) + "," + name + "高=" + toText(unit.height()) + "," + name
               + "横=" + toText(unit.left()) + "," + name + "纵=" + toText(unit.top());
    };
    const std::pair<const char*, const TransparentLabel*> labels[] = {
        {"会议名称", &会议名称标签}, {"姓名", &姓名标签}, {"单位", &单位标签}, {"出席证", &出席证标签}};
    Text sql = "update 会议证件 set  ";
    for (const auto& [name, label] : labels)
        sql += place(name, *label) + "," + name + "颜色=" + toText(label->textColour()) + "," + name + "="
               + toText(label->visible()) + ",";
    sql += place("照片", 照片框) + ",照片=" + toText(照片框.visible()) + "  where  id=1";
    return execSql(报表外部数据库, sql);
}
