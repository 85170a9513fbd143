#pragma once
// The rich-text service's own (and the tests'): the rich text format of the
// rich-edit unit, read into and written from paragraphs of formatted runs. Only
// what a welcome label needs is kept: font, size, bold, italic, underline,
// colour and paragraph alignment; everything else a word processor writes is
// read past.
#include "common/text/gbk.h"

#include <QString>
#include <vector>

class QTextDocument;

// The face of text whose font is not named: the usual Chinese text face.
QString rtfDefaultFont();

struct RtfFormat {
    QString font;            // family; "" is the default face
    int halfPoints = 24;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int colour = -1;         // 0xRRGGBB; -1 automatic
    bool operator==(const RtfFormat&) const = default;
};

struct RtfRun {
    RtfFormat format;
    QString text;            // '\t' a tab, U+2028 a line break inside the paragraph
    bool operator==(const RtfRun&) const = default;
};

enum class RtfAlignment { Left, Centre, Right, Justified };

struct RtfParagraph {
    RtfAlignment alignment = RtfAlignment::Left;
    RtfFormat mark;          // the format of the paragraph's end: an empty line's height
    std::vector<RtfRun> runs;
    bool operator==(const RtfParagraph&) const = default;
};

struct RtfDocument {
    std::vector<RtfParagraph> paragraphs;
    bool operator==(const RtfDocument&) const = default;
};

// True when `content` starts, after blanks, with "{\rtf".
bool isRtf(const Bytes& content);

struct RtfReading {
    RtfDocument document;    // what could be read, also from damaged text
    Text problem;            // "" when read whole; else what is wrong, for people
};
// Text bytes and \'hh are in the code page of the font in use (its
// \fcharset) or else of the document (\ansicpg; Windows-1252 by default);
// code page 936 is GBK.
RtfReading readRtf(const Bytes& rtf);
// GBK with code page 936; every non-ASCII character as \uN with its GBK bytes
// as the fallback for readers without Unicode.
Bytes writeRtf(const RtfDocument& document);

RtfDocument rtfDocumentOf(const QTextDocument& document);
void showRtfDocument(QTextDocument& target, const RtfDocument& document);
