#pragma once
// Internal to common/: the installed faces text is drawn in. Templates and
// windows name the faces of the desks they were made on (宋体, 黑体, ...);
// each is drawn in an installed Chinese face made for print, with real bold
// glyphs, and a name that is no installed face never draws without Chinese
// glyphs. Implemented in common/text/faces.cpp.
#include <QFont>
#include <QStringList>

#include <string>

// The family the program's own texts are drawn in.
QString defaultFamily();

// The families that draw `face`, in order: the face as named (kept, so the
// font still tells it), then the Chinese face that stands in for it where
// the name is no installed face or lacks a glyph. "" is the default face.
QStringList drawnFamilies(const QString& face);

// `font` drawing `face` (GBK).
void setDrawnFace(QFont& font, const std::string& face);

// The height the window designs give a line of text in `font`: the faces
// they were drawn for take 1.3 em a line, where the Chinese faces made for
// print reserve more room above their characters. Never more than the
// font's own line.
int designLineHeight(const QFont& font);
// How much higher than its own line would put it text is drawn in a design
// line, so that its characters stand where the design's faces put them.
int designRaise(const QFont& font);
