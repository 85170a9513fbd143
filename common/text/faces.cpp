#include "common/internal/faces.h"

#include "common/internal/qtext.h"
#include "common/text/gbk.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>

#include <algorithm>
#include <cmath>
#include <map>

namespace {

const QString kSans = QStringLiteral("Noto Sans CJK SC");
const QString kSerif = QStringLiteral("Noto Serif CJK SC");

// In a line of the window designs the characters' top stands 0.15 em below
// the line's top and 0.88 em above the baseline.
constexpr double kDesignLine = 1.3, kDesignAscent = 0.15 + 0.88;

// `preferred` when installed, else any installed face with Chinese glyphs.
QString chineseFamily(const QString& preferred)
{
    if (QFontDatabase::hasFamily(preferred))
        return preferred;
    const QStringList chinese = QFontDatabase::families(QFontDatabase::SimplifiedChinese);
    return chinese.isEmpty() ? preferred : chinese.first();
}

// Song faces (宋体, 新宋体, SimSun), Ming and Kai faces and the calligraphic
// ones stand in the serif; Hei faces (黑体, SimHei), Latin sans faces and
// names that are no face at all (a seated cell's delegate id) in the sans,
// the program's default.
QString standIn(const QString& face)
{
    static const char16_t* const serifMarks[] = {u"宋", u"明", u"楷", u"仿", u"隶", u"simsun", u"song",
                                                 u"ming", u"kai", u"serif", u"roman", u"times"};
    if (!face.contains(QLatin1String("sans"), Qt::CaseInsensitive))
        for (const char16_t* mark : serifMarks)
            if (face.contains(QString::fromUtf16(mark), Qt::CaseInsensitive))
                return chineseFamily(kSerif);
    return chineseFamily(kSans);
}

} // namespace

QString defaultFamily() { return chineseFamily(kSans); }

QStringList drawnFamilies(const QString& face)
{
    static std::map<QString, QStringList> known;
    auto it = known.find(face);
    if (it == known.end()) {
        QStringList families;
        if (!face.isEmpty())
            families << face;
        const QString other = face.isEmpty() ? defaultFamily() : standIn(face);
        if (!families.contains(other, Qt::CaseInsensitive))
            families << other;
        it = known.emplace(face, families).first;
    }
    return it->second;
}

void setDrawnFace(QFont& font, const Text& face) { font.setFamilies(drawnFamilies(toQString(face))); }

int designLineHeight(const QFont& font)
{
    const int line = QFontMetrics(font).height();
    return std::min(line, static_cast<int>(std::lround(kDesignLine * QFontInfo(font).pixelSize())));
}

int designRaise(const QFont& font)
{
    const int ascent = QFontMetrics(font).ascent();
    return std::max(0, ascent - static_cast<int>(std::lround(kDesignAscent * QFontInfo(font).pixelSize())));
}
