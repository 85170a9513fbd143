#pragma once
// A welcome label written by a word processor, and the formatting a
// rich-edit unit shows, for tests of the label.
#include "common/rich_text/rtf.h"
#include "common/internal/qtext.h"
#include "common/rich_text/rich_edit.h"
#include "tests/support/gbk_print.h"

#include <QFile>

// Written by the office suite's word processor (tests/fixtures/README.md).
inline Bytes wordProcessorLabel()
{
    QFile file(QELVANA_TEST_FIXTURES "/welcome_label.rtf");
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll().toStdString();
}

inline const Text wordProcessorLabelText = "[会议名称]\n[代表] 代表，欢迎您！\n住宿：[房间]\t就餐：[餐桌]\n"
                                           "分组：[分组]（召集人：[召集人]，联络员：[联络员]）\n座次：[座次]\n会务组敬上";

inline RtfDocument shownDocument(const RichEdit& edit) { return readRtf(edit.content()).document; }

// The format of the run holding `text`.
inline RtfFormat formatOf(const RtfDocument& document, const Text& text)
{
    for (const RtfParagraph& paragraph : document.paragraphs)
        for (const RtfRun& run : paragraph.runs)
            if (run.text.contains(toQString(text)))
                return run.format;
    ADD_FAILURE() << "no run holds " << gbkToUtf8(text);
    return {};
}

// Readable failure output; found by argument-dependent lookup.
inline void PrintTo(const RtfFormat& f, std::ostream* out)
{
    *out << "{" << f.font.toStdString() << "," << f.halfPoints << (f.bold ? ",b" : "") << (f.italic ? ",i" : "")
         << (f.underline ? ",u" : "") << "," << f.colour << "}";
}

inline void PrintTo(const RtfDocument& document, std::ostream* out)
{
    for (const RtfParagraph& paragraph : document.paragraphs) {
        *out << "\n  " << static_cast<int>(paragraph.alignment);
        PrintTo(paragraph.mark, out);
        for (const RtfRun& run : paragraph.runs) {
            *out << " [" << run.text.toStdString() << "]";
            PrintTo(run.format, out);
        }
    }
}
