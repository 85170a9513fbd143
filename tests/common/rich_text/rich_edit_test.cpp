// The rich-edit unit and its rich text format: a label written by a word
// processor is shown with its formatting, merged without losing it, saved
// and read back; damaged text is reported and never brings the program down;
// labels kept in the earlier formats still load.
#include "common/program/clipboard.h"
#include "common/internal/qt_objects.h"
#include "common/runtime.h"
#include "tests/support/rich_text.h"

#include <QTextEdit>
#include <QWidget>

#include <gtest/gtest.h>

#include <random>

namespace {

struct EditWindow : Window {
    EditWindow() : Window("EditWindow", {0, 0, 400, 400}, "") {}
    RichEdit 超级编辑框1{*this, "超级编辑框1", {0, 0, 300, 300}};
};

std::vector<RtfAlignment> alignments(const RtfDocument& document)
{
    std::vector<RtfAlignment> result;
    for (const RtfParagraph& paragraph : document.paragraphs)
        result.push_back(paragraph.alignment);
    return result;
}

// What the check-in merge does for one marker.
void replaceAll(RichEdit& edit, const Text& marker, const Text& value)
{
    for (int p = richFindText(edit, marker); p != -1; p = richFindText(edit, marker, p + textLength(value))) {
        edit.setSelection(p, textLength(marker));
        richDeleteSelection(edit);
        setClipboardText(value);
        richPaste(edit);
    }
    clearClipboard();
}

TEST(RichEditTest, AWordProcessorsLabelIsShownWithItsTextFormattingAndLines)
{
    EditWindow w;
    ASSERT_TRUE(w.超级编辑框1.setContent(wordProcessorLabel()));
    EXPECT_TEXT_EQ(wordProcessorLabelText, w.超级编辑框1.plainText());

    const RtfDocument document = shownDocument(w.超级编辑框1);
    using A = RtfAlignment;
    EXPECT_EQ(alignments(document), (std::vector{A::Centre, A::Centre, A::Left, A::Left, A::Right}));
    const struct {
        Text text;
        Text font;
        int halfPoints;
        bool bold, italic, underline;
        int colour;
    } cases[] = {
        {"[会议名称]", "黑体", 36, true, false, false, -1},
        {"[代表]", "宋体", 28, true, false, false, 0xC00000},
        {" 代表，欢迎您！", "宋体", 28, false, false, false, -1},
        {"[房间]", "宋体", 21, false, false, true, -1},
        {"会务组敬上", "宋体", 18, false, true, false, -1},
    };
    for (const auto& c : cases) {
        const RtfFormat format = formatOf(document, c.text);
        EXPECT_TEXT_EQ(c.font, fromQString(format.font)) << gbkToUtf8(c.text);
        EXPECT_EQ(format, (RtfFormat{format.font, c.halfPoints, c.bold, c.italic, c.underline, c.colour}))
            << gbkToUtf8(c.text);
    }

    // The line break inside the fourth paragraph starts a printed line.
    ASSERT_EQ(richLineCount(w.超级编辑框1), 6);
    EXPECT_TEXT_EQ("座次：[座次]", richLineText(w.超级编辑框1, 4));
    EXPECT_TEXT_EQ("", richLineText(w.超级编辑框1, 6));
}

TEST(RichEditTest, AMergedLabelKeepsTheFormattingAroundEachValueThroughASave)
{
    EditWindow w;
    w.超级编辑框1.setContent(wordProcessorLabel());
    const RtfDocument before = shownDocument(w.超级编辑框1);
    replaceAll(w.超级编辑框1, "[会议名称]", "一号会");
    replaceAll(w.超级编辑框1, "[代表]", "张三");
    replaceAll(w.超级编辑框1, "[房间]", "宾馆101房间");
    replaceAll(w.超级编辑框1, "[座次]", "");
    const Text merged = "一号会\n张三 代表，欢迎您！\n住宿：宾馆101房间\t就餐：[餐桌]\n"
                        "分组：[分组]（召集人：[召集人]，联络员：[联络员]）\n座次：\n会务组敬上";
    EXPECT_TEXT_EQ(merged, w.超级编辑框1.plainText());

    EditWindow reread;
    ASSERT_TRUE(reread.超级编辑框1.setContent(w.超级编辑框1.content()));
    EXPECT_TEXT_EQ(merged, reread.超级编辑框1.plainText());
    const RtfDocument after = shownDocument(reread.超级编辑框1);
    EXPECT_EQ(after, shownDocument(w.超级编辑框1));
    EXPECT_EQ(alignments(after), alignments(before));
    EXPECT_EQ(formatOf(after, "一号会"), formatOf(before, "[会议名称]"));
    EXPECT_EQ(formatOf(after, "张三"), formatOf(before, "[代表]"));
    EXPECT_EQ(formatOf(after, " 代表，欢迎您！"), formatOf(before, " 代表，欢迎您！"));
    EXPECT_EQ(formatOf(after, "宾馆101房间"), formatOf(before, "[房间]"));
    EXPECT_EQ(formatOf(after, "就餐："), formatOf(before, "就餐："));
}

TEST(RichEditTest, TheWrittenFormatKeepsEveryTextAndFormat)
{
    const RtfFormat plain{toQString("宋体"), 21};
    RtfFormat strong{"Arial", 48, true, true, true, 0x123456};
    RtfFormat red = plain;
    red.colour = 0xFF0000;
    RtfDocument document;
    document.paragraphs = {
        {RtfAlignment::Centre, strong, {{strong, "a\\b{c};"}, {plain, toQString("甲\t乙") + QChar::LineSeparator + "x"}}},
        {RtfAlignment::Right, red, {{red, QString::fromUtf8("\xC3\xA9\xE2\x82\xAC\xC2\xA0\xF0\xA0\x80\x80")}}},
        {RtfAlignment::Justified, strong, {}},
        {RtfAlignment::Left, plain, {{plain, "1"}}},
    };
    const Bytes written = writeRtf(document);
    const RtfReading reading = readRtf(written);
    EXPECT_TEXT_EQ("", reading.problem);
    EXPECT_EQ(reading.document, document);
    EXPECT_TRUE(std::all_of(written.begin(), written.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }));
}

TEST(RichEditTest, DamagedRichTextIsReportedAndWhatCouldBeReadIsShown)
{
    const struct {
        Bytes rtf;
        Text problem;
        Text shown;
    } cases[] = {
        {"{\\rtf1\\ansicpg936 甲\\par 乙", "文件不完整，缺少结尾的 }", "甲\n乙"},
        {"{\\rtf1\\ansicpg936 {\\b 甲}", "文件不完整，缺少结尾的 }", "甲"},
        {"{\\rtf1\\ansicpg936 甲\\'b", "文件不完整，缺少结尾的 }", "甲"},
        {"{\\rtf1\\ansicpg936 甲\\bin99 ab}", "文件不完整，缺少结尾的 }", "甲"},
        {"{\\rtf1\\ansicpg936 甲}}", "多余的 }", "甲"},
        {"{\\rtf1\\ansicpg936 甲} 乙", "文档结尾的 } 之后还有内容", "甲"},
        {"{\\rtf1\\ansicpg936 甲\\'zz乙}", "\\' 之后不是两位十六进制数", "甲"},
        {"{\\rtf1\\ansicpg936 甲" + Bytes(100000, '{'), "大括号嵌套过深", "甲"},
    };
    EditWindow w;
    for (const auto& c : cases) {
        Text problem;
        EXPECT_FALSE(w.超级编辑框1.setContent(c.rtf, &problem)) << gbkToUtf8(c.rtf.substr(0, 40));
        EXPECT_TEXT_EQ(c.problem, problem);
        EXPECT_TEXT_EQ(c.shown, w.超级编辑框1.plainText());
    }
    // Out-of-range values are ignored, not failures.
    ASSERT_TRUE(w.超级编辑框1.setContent("{\\rtf1 \\f99\\fs-4\\cf99\\u99999999?\\fs99999999999 a\\bin-5 b}"));
    EXPECT_EQ(richLineCount(w.超级编辑框1), 1);
}

// Every cut of the word processor's label and random damage to it: never a
// crash, a cut is always reported, and what was read is written back whole.
TEST(RichEditTest, EveryCutAndRandomDamageOfALabelIsReadSafely)
{
    const Bytes label = wordProcessorLabel();
    const size_t end = label.find_last_of('}');
    auto rewritesWhole = [](const RtfReading& reading) {
        const RtfReading again = readRtf(writeRtf(reading.document));
        return again.problem.empty() && again.document == reading.document;
    };
    EditWindow w;
    for (size_t length = 0; length < end + 1; ++length) {
        const RtfReading reading = readRtf(label.substr(0, length));
        ASSERT_FALSE(reading.problem.empty()) << length;
        ASSERT_TRUE(rewritesWhole(reading)) << length;
        if (length % 89 == 0 && isRtf(label.substr(0, length))) {
            EXPECT_FALSE(w.超级编辑框1.setContent(label.substr(0, length)));
        }
    }
    std::mt19937 random(14);
    for (int i = 0; i < 400; ++i) {
        Bytes damaged = label;
        for (int k = 0; k < 4; ++k)
            damaged[random() % damaged.size()] = static_cast<char>(random() % 256);
        ASSERT_TRUE(rewritesWhole(readRtf(damaged))) << i;
        if (i % 40 == 0)
            w.超级编辑框1.setContent(damaged);
    }
}

TEST(RichEditTest, LabelsKeptBeforeTheRichTextFormatStillLoad)
{
    // As the earlier version delivered them, and as it saved them: Qt's HTML
    // holding GBK text.
    const Text delivered = "<html><body><p align=\"center\"><b>[会议名称]</b></p><p>住宿：[房间]</p></body></html>";
    QTextEdit earlier;
    earlier.setHtml(toQString(delivered));

    EditWindow w;
    const qreal shownPoints = QtObjects::widget(w.超级编辑框1)->font().pointSizeF();
    EXPECT_NE(shownPoints, 12);
    for (const Text& html : {delivered, fromQString(earlier.toHtml())}) {
        ASSERT_TRUE(w.超级编辑框1.setContent(html));
        EXPECT_TEXT_EQ("[会议名称]\n住宿：[房间]", w.超级编辑框1.plainText());
        const RtfDocument document = shownDocument(w.超级编辑框1);
        EXPECT_EQ(alignments(document), (std::vector{RtfAlignment::Centre, RtfAlignment::Left}));
        EXPECT_TRUE(formatOf(document, "[会议名称]").bold);
        // Written in the size it is shown in.
        EXPECT_EQ(formatOf(document, "住宿：").halfPoints, qRound(shownPoints * 2));
    }

    ASSERT_TRUE(w.超级编辑框1.setContent("欢迎 <[代表]>\n再见"));
    EXPECT_TEXT_EQ("欢迎 <[代表]>\n再见", w.超级编辑框1.plainText());
}

} // namespace
