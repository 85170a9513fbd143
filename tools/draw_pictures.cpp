// Draws the program's own design pictures into delivered/files/pictures:
// the tool-bar buttons of the main window and of the template editor, the
// discussion-group images, the badge's background, photo frame and record
// buttons. Not part of the build; run it once after changing a drawing:
//
//   g++ -std=c++20 -fPIC tools/draw_pictures.cpp -o /tmp/draw_pictures $(pkg-config --cflags --libs Qt6Gui)
//   QT_QPA_PLATFORM=offscreen /tmp/draw_pictures delivered/files/pictures
//
// Every icon is drawn on a 24 x 24 grid and scaled to its size.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

using Draw = std::function<void(QPainter&)>;

const QColor kInk(52, 58, 70);
const QColor kPaper(255, 255, 255);
const QColor kBlue(46, 110, 200);
const QColor kGreen(52, 150, 82);
const QColor kOrange(232, 132, 36);
const QColor kRed(204, 50, 44);
const QColor kGold(222, 176, 60);
const QColor kBrown(150, 96, 52);
const QColor kGrey(150, 156, 166);

QString outDir;

void save(const QImage& image, const QString& name)
{
    const QString path = outDir + "/" + name;
    if (!image.save(path, nullptr, name.endsWith(".jpg") ? 92 : -1))
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}

void icon(const QString& name, int size, const Draw& draw)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 24.0, size / 24.0);
    draw(p);
    p.end();
    save(image, name);
}

QPen pen(const QColor& c, double width = 1.4)
{
    QPen p(c, width);
    p.setJoinStyle(Qt::RoundJoin);
    p.setCapStyle(Qt::RoundCap);
    return p;
}

void shape(QPainter& p, const QColor& fill, const QColor& line = kInk, double width = 1.4)
{
    p.setPen(line.isValid() ? pen(line, width) : Qt::NoPen);
    p.setBrush(fill.isValid() ? QBrush(fill) : Qt::NoBrush);
}

// ---- shared pieces ---------------------------------------------------------

void person(QPainter& p, double x, double y, double scale, const QColor& colour)
{
    shape(p, colour, kInk, 1.1);
    p.drawEllipse(QPointF(x, y - 4.2 * scale), 2.8 * scale, 2.8 * scale);
    QPainterPath body;
    body.moveTo(x - 5 * scale, y + 5 * scale);
    body.cubicTo(x - 5 * scale, y - 1.2 * scale, x + 5 * scale, y - 1.2 * scale, x + 5 * scale, y + 5 * scale);
    body.closeSubpath();
    p.drawPath(body);
}

void page(QPainter& p, const QRectF& r = {4, 2, 15, 20})
{
    QPainterPath path;
    const double fold = 4.5;
    path.moveTo(r.left(), r.top());
    path.lineTo(r.right() - fold, r.top());
    path.lineTo(r.right(), r.top() + fold);
    path.lineTo(r.right(), r.bottom());
    path.lineTo(r.left(), r.bottom());
    path.closeSubpath();
    shape(p, kPaper);
    p.drawPath(path);
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF{{r.right() - fold, r.top()}, {r.right() - fold, r.top() + fold}, {r.right(), r.top() + fold}});
}

void textLines(QPainter& p, double x, double y, double width, int count, double gap = 3)
{
    p.setPen(pen(kGrey, 1.2));
    for (int i = 0; i < count; ++i)
        p.drawLine(QPointF(x, y + i * gap), QPointF(x + width - (i % 2) * 3, y + i * gap));
}

void bed(QPainter& p, const QRectF& r)
{
    shape(p, QColor(120, 160, 220));
    p.drawRoundedRect(QRectF(r.left(), r.top() + r.height() * 0.45, r.width(), r.height() * 0.35), 1, 1);
    shape(p, kPaper);
    p.drawRoundedRect(QRectF(r.left() + 1, r.top() + r.height() * 0.2, r.width() * 0.3, r.height() * 0.3), 1.5, 1.5);
    p.setPen(pen(kInk, 1.4));
    p.drawLine(QPointF(r.left(), r.top()), QPointF(r.left(), r.bottom()));
    p.drawLine(QPointF(r.right(), r.top() + r.height() * 0.45), QPointF(r.right(), r.bottom()));
}

void roundTable(QPainter& p, QPointF c, double radius, int chairs)
{
    shape(p, kOrange, kInk, 1.1);
    for (int i = 0; i < chairs; ++i) {
        const double a = 2 * M_PI * i / chairs - M_PI / 2;
        p.drawEllipse(QPointF(c.x() + std::cos(a) * radius * 1.45, c.y() + std::sin(a) * radius * 1.45), radius * 0.32,
                      radius * 0.32);
    }
    shape(p, kBrown);
    p.drawEllipse(c, radius, radius);
}

// A 3 x 3 table of cells in (4,4)-(20,20); `lines` picks what is drawn
// strongly: 1 frame, 2 inner horizontal, 4 inner vertical.
void table(QPainter& p, int lines, bool faintRest = true)
{
    const double a = 4, b = 20, t1 = 4 + 16 / 3.0, t2 = 4 + 32 / 3.0;
    shape(p, kPaper, QColor());
    p.drawRect(QRectF(a, a, b - a, b - a));
    auto draw = [&](bool strong, const std::vector<QLineF>& ls) {
        if (!strong && !faintRest)
            return;
        QPen pn = strong ? pen(kBlue, 1.8) : pen(kGrey, 0.8);
        if (!strong)
            pn.setStyle(Qt::DotLine);
        p.setPen(pn);
        for (const QLineF& l : ls)
            p.drawLine(l);
    };
    draw(lines & 2, {{a, t1, b, t1}, {a, t2, b, t2}});
    draw(lines & 4, {{t1, a, t1, b}, {t2, a, t2, b}});
    draw(lines & 1, {{a, a, b, a}, {b, a, b, b}, {b, b, a, b}, {a, b, a, a}});
}

void cell(QPainter& p)
{
    shape(p, kPaper, kInk, 1.2);
    p.drawRect(QRectF(4, 4, 16, 16));
}

void redCross(QPainter& p, QPointF c = {17.5, 17.5})
{
    shape(p, kRed, kPaper, 1.0);
    p.drawEllipse(c, 5, 5);
    p.setPen(pen(kPaper, 1.6));
    p.drawLine(c + QPointF(-2.2, -2.2), c + QPointF(2.2, 2.2));
    p.drawLine(c + QPointF(2.2, -2.2), c + QPointF(-2.2, 2.2));
}

void arrow(QPainter& p, QPointF from, QPointF to, const QColor& colour)
{
    p.setPen(pen(colour, 1.8));
    const double len = std::hypot(to.x() - from.x(), to.y() - from.y());
    const double dx = (to.x() - from.x()) / len, dy = (to.y() - from.y()) / len;
    p.drawLine(from, QPointF(to.x() - dx * 3, to.y() - dy * 3));
    p.setBrush(colour);
    p.setPen(Qt::NoPen);
    const QPointF back(to.x() - dx * 4.5, to.y() - dy * 4.5), side(-dy * 3, dx * 3);
    p.drawPolygon(QPolygonF{to, back + side, back - side});
}

// ---- the main window's tool bar ------------------------------------------------

void mainToolBar(int size)
{
    auto tool = [&](int number, const Draw& draw) { icon(QString("tool%1.png").arg(number), size, draw); };
    tool(0, [](QPainter& p) {   // 代表录入: a delegate and a pen
        person(p, 9, 12, 1.35, kBlue);
        p.setPen(pen(kInk, 1.0));
        p.setBrush(kGold);
        p.drawPolygon(QPolygonF{{15, 21}, {16, 17}, {22, 8}, {24, 10.5}, {18, 20}});
    });
    tool(2, [](QPainter& p) {   // 会议分组: three delegates
        person(p, 6, 10, 1.0, kGreen);
        person(p, 18, 10, 1.0, kOrange);
        person(p, 12, 15, 1.2, kBlue);
    });
    tool(3, [](QPainter& p) {   // 客房分配: a bed and a key
        bed(p, {2, 7, 20, 13});
        p.setPen(pen(kGold, 2.0));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(17, 4.5), 2.5, 2.5);
        p.drawLine(QPointF(19.5, 4.5), QPointF(23, 4.5));
    });
    tool(4, [](QPainter& p) {   // 会场座次: a platform and rows of seats
        shape(p, kRed);
        p.drawRoundedRect(QRectF(5, 2, 14, 4), 1, 1);
        shape(p, kBlue, kInk, 0.9);
        for (int row = 0; row < 3; ++row)
            for (int seat = 0; seat < 4 + (row > 0 ? 1 : 0); ++seat) {
                const double count = 4 + (row > 0 ? 1 : 0), x = 12 - count * 2.2 + seat * 4.4;
                p.drawRoundedRect(QRectF(x, 9 + row * 5, 3.4, 3.4), 0.8, 0.8);
            }
    });
    tool(5, [](QPainter& p) { roundTable(p, {12, 12}, 6, 8); });   // 宴会座次
    tool(7, [](QPainter& p) {                                        // 代表报到: a tick on a list
        shape(p, kPaper);
        p.drawRoundedRect(QRectF(4, 3, 16, 19), 1.5, 1.5);
        shape(p, kBrown, kInk, 1.0);
        p.drawRoundedRect(QRectF(8, 1.5, 8, 3.5), 1, 1);
        p.setPen(pen(kGreen, 2.6));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(QPolygonF{{7.5, 13}, {10.5, 17}, {17, 8.5}});
    });
    tool(9, [](QPainter& p) {   // 代表报表: a list of delegates
        page(p);
        person(p, 9, 9, 0.6, kBlue);
        textLines(p, 7, 14, 9, 3);
    });
    tool(10, [](QPainter& p) {   // 客房报表: a list of rooms
        page(p);
        bed(p, {6.5, 5, 10, 7});
        textLines(p, 7, 15, 9, 3);
    });
    tool(11, [](QPainter& p) {   // 餐桌报表: a list of tables
        page(p);
        roundTable(p, {11.5, 9}, 2.6, 6);
        textLines(p, 7, 15.5, 9, 3);
    });
    tool(13, [](QPainter& p) {   // 代表证: a badge with a photo
        shape(p, kPaper);
        p.drawRoundedRect(QRectF(2, 5, 20, 15), 2, 2);
        shape(p, kRed, QColor());
        p.drawRect(QRectF(2.7, 5.7, 18.6, 3.6));
        shape(p, QColor(200, 206, 216), kInk, 0.9);
        p.drawRect(QRectF(14, 11, 5.5, 7));
        textLines(p, 5, 12.5, 7, 2, 3.5);
        shape(p, kGrey, kInk, 1.2);
        p.drawRoundedRect(QRectF(9, 1.5, 6, 4.5), 1, 1);
    });
    tool(14, [](QPainter& p) {   // 通讯录: an address book
        shape(p, kGreen);
        p.drawRoundedRect(QRectF(5, 2, 15, 20), 1.5, 1.5);
        shape(p, kPaper, kInk, 1.0);
        p.drawRect(QRectF(8, 5, 9, 5));
        p.setPen(pen(kInk, 1.6));
        for (double y : {6.0, 11.0, 16.0})
            p.drawLine(QPointF(3.5, y + 1), QPointF(6.5, y + 1));
        person(p, 12.5, 17, 0.55, kPaper);
    });
    tool(15, [](QPainter& p) {   // 台签: a table card
        shape(p, kRed);
        p.drawPolygon(QPolygonF{{4, 19}, {9, 5}, {15, 5}, {20, 19}});
        shape(p, kPaper, QColor());
        p.drawRect(QRectF(8.5, 10, 7, 4));
        p.setPen(pen(kInk, 1.8));
        p.drawLine(QPointF(2, 20.5), QPointF(22, 20.5));
    });
    tool(16, [](QPainter& p) {   // 短消息: a message
        shape(p, kBlue);
        QPainterPath bubble;
        bubble.addRoundedRect(QRectF(2, 4, 20, 13), 3, 3);
        bubble.moveTo(7, 16);
        bubble.lineTo(6, 21);
        bubble.lineTo(12, 16.5);
        p.drawPath(bubble.simplified());
        textLines(p, 6, 8.5, 12, 2, 4);
    });
}

// ---- the template editor's tool bar --------------------------------------------

void editorToolBar(int size)
{
    auto tool = [&](int number, const Draw& draw) { icon(QString("editor_tool%1.png").arg(number), size, draw); };
    tool(0, [](QPainter& p) { page(p); });   // 新建
    tool(1, [](QPainter& p) {                // 打开: a folder
        shape(p, kGold);
        p.drawPolygon(QPolygonF{{2, 6}, {8, 6}, {10, 8}, {20, 8}, {20, 19}, {2, 19}});
        shape(p, QColor(245, 210, 110));
        p.drawPolygon(QPolygonF{{5, 11}, {23, 11}, {20, 19}, {2, 19}});
    });
    tool(2, [](QPainter& p) {   // 保存: a disk
        shape(p, kBlue);
        p.drawRoundedRect(QRectF(3, 3, 18, 18), 2, 2);
        shape(p, kPaper, kInk, 1.0);
        p.drawRect(QRectF(7, 3, 10, 6.5));
        shape(p, QColor(210, 216, 226), kInk, 1.0);
        p.drawRect(QRectF(6.5, 13, 11, 8));
    });
    tool(4, [](QPainter& p) {   // 剪切: scissors
        p.setPen(pen(kInk, 1.6));
        p.drawLine(QPointF(8, 2), QPointF(15, 15));
        p.drawLine(QPointF(16, 2), QPointF(9, 15));
        shape(p, QColor(), kRed, 1.8);
        p.drawEllipse(QPointF(7, 18), 3, 3);
        p.drawEllipse(QPointF(17, 18), 3, 3);
    });
    tool(5, [](QPainter& p) {   // 复制: two pages
        page(p, {2, 2, 12, 15});
        page(p, {10, 7, 12, 15});
    });
    tool(6, [](QPainter& p) {   // 粘贴: a clipboard with a page
        shape(p, kBrown);
        p.drawRoundedRect(QRectF(3, 4, 14, 18), 1.5, 1.5);
        shape(p, kGrey, kInk, 1.0);
        p.drawRoundedRect(QRectF(7, 2, 6, 4), 1, 1);
        page(p, {11, 9, 11, 13});
    });
    tool(8, [](QPainter& p) {   // 预览: a page under a lens
        page(p, {3, 2, 14, 19});
        textLines(p, 5.5, 8, 8, 3);
        shape(p, QColor(200, 225, 250, 200), kInk, 1.6);
        p.drawEllipse(QPointF(14, 14), 4.5, 4.5);
        p.setPen(pen(kInk, 2.6));
        p.drawLine(QPointF(17.3, 17.3), QPointF(21.5, 21.5));
    });
    tool(9, [](QPainter& p) {   // 打印: a printer
        page(p, {7, 2, 10, 8});
        shape(p, kGrey);
        p.drawRoundedRect(QRectF(2, 9, 20, 9), 2, 2);
        page(p, {6.5, 15, 11, 7});
        shape(p, kGreen, QColor());
        p.drawEllipse(QPointF(18.5, 12), 1.1, 1.1);
    });
    tool(11, [](QPainter& p) {   // 合并: two cells drawn together
        shape(p, kPaper, kInk, 1.2);
        p.drawRect(QRectF(2, 6, 20, 12));
        arrow(p, {3.5, 12}, {10.5, 12}, kBlue);
        arrow(p, {20.5, 12}, {13.5, 12}, kBlue);
    });
    tool(12, [](QPainter& p) {   // 分解: a cell parted in two
        shape(p, kPaper, kInk, 1.2);
        p.drawRect(QRectF(2, 6, 20, 12));
        p.setPen(pen(kInk, 1.0));
        p.drawLine(QPointF(12, 6), QPointF(12, 18));
        arrow(p, {10.5, 12}, {3.5, 12}, kBlue);
        arrow(p, {13.5, 12}, {20.5, 12}, kBlue);
    });
    tool(13, [](QPainter& p) {   // 清空: an eraser
        shape(p, kPaper, kGrey, 1.0);
        p.drawRect(QRectF(2, 3, 20, 10));
        textLines(p, 4, 6, 14, 2, 4);
        p.save();
        p.translate(12, 16);
        p.rotate(-35);
        shape(p, QColor(240, 120, 140));
        p.drawRoundedRect(QRectF(-7, -3.5, 14, 7), 1.5, 1.5);
        shape(p, kBlue);
        p.drawRoundedRect(QRectF(-7, -3.5, 5, 7), 1.5, 1.5);
        p.restore();
    });
    tool(15, [](QPainter& p) { table(p, 1); });        // 表框
    tool(16, [](QPainter& p) { table(p, 2); });        // 横线
    tool(17, [](QPainter& p) { table(p, 4); });        // 竖线
    tool(18, [](QPainter& p) { table(p, 1 | 2 | 4); });   // 全部
    tool(19, [](QPainter& p) {                         // 斜线
        cell(p);
        p.setPen(pen(kBlue, 1.8));
        p.drawLine(QPointF(4, 4), QPointF(20, 20));
    });
    tool(20, [](QPainter& p) {   // 双斜
        cell(p);
        p.setPen(pen(kBlue, 1.8));
        p.drawLine(QPointF(4, 4), QPointF(20, 12));
        p.drawLine(QPointF(4, 4), QPointF(12, 20));
    });
    tool(21, [](QPainter& p) {   // 叉线
        cell(p);
        p.setPen(pen(kBlue, 1.8));
        p.drawLine(QPointF(4, 4), QPointF(20, 20));
        p.drawLine(QPointF(20, 4), QPointF(4, 20));
    });
    tool(23, [](QPainter& p) {   // 删内: the frame stays, the inner lines go
        table(p, 1);
        redCross(p);
    });
    tool(24, [](QPainter& p) {   // 删斜
        cell(p);
        p.setPen(pen(kBlue, 1.8));
        p.drawLine(QPointF(4, 4), QPointF(20, 20));
        redCross(p);
    });
    tool(25, [](QPainter& p) {   // 全删
        table(p, 1 | 2 | 4);
        redCross(p);
    });
    tool(27, [](QPainter& p) {   // 禁填: a cell closed to entries
        cell(p);
        shape(p, QColor(), kRed, 2.2);
        p.drawEllipse(QPointF(12, 12), 6, 6);
        p.drawLine(QPointF(7.8, 16.2), QPointF(16.2, 7.8));
    });
    tool(28, [](QPainter& p) {   // 复原: back to the plain cell
        cell(p);
        shape(p, QColor(), kGreen, 2.0);
        p.drawArc(QRectF(7, 7, 10, 10), 200 * 16, -270 * 16);
        p.setBrush(kGreen);
        p.setPen(Qt::NoPen);
        p.drawPolygon(QPolygonF{{5.2, 7.5}, {10.2, 8.6}, {6.4, 12.6}});
    });
}

// ---- the discussion groups' images -----------------------------------------------

void groupImages()
{
    icon("group0.png", 32, [](QPainter& p) { roundTable(p, {12, 12}, 6, 6); });   // a meeting place
    icon("group1.png", 32, [](QPainter& p) { person(p, 12, 13, 1.6, kBlue); });  // one delegate
    icon("group2.png", 32, [](QPainter& p) {                                    // a group at its table
        person(p, 5.5, 10, 0.9, kGreen);
        person(p, 18.5, 10, 0.9, kOrange);
        person(p, 12, 8, 0.9, kBlue);
        shape(p, kBrown);
        p.drawRoundedRect(QRectF(3, 15, 18, 6), 3, 3);
    });
}

// ---- the badge -----------------------------------------------------------------

// A picture shading from `top` to `bottom`.
QImage shaded(QSize size, const QColor& top, const QColor& bottom)
{
    QImage image(size, QImage::Format_RGB32);
    QLinearGradient shade(0, 0, 0, size.height());
    shade.setColorAt(0, top);
    shade.setColorAt(1, bottom);
    QPainter(&image).fillRect(image.rect(), shade);
    return image;
}

void badgeBackground()
{
    QImage image = shaded({417, 238}, QColor(255, 252, 244), QColor(246, 236, 214));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // Soft rays behind the name, from a point below the badge.
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 18; ++i) {
        const double a0 = M_PI + i * M_PI / 18, a1 = a0 + M_PI / 36;
        const QPointF c(210, 300);
        p.setBrush(QColor(232, 206, 150, 60));
        p.drawPolygon(QPolygonF{c, c + QPointF(std::cos(a0), std::sin(a0)) * 420, c + QPointF(std::cos(a1), std::sin(a1)) * 420});
    }
    // The band under the meeting's name.
    QLinearGradient band(0, 0, 0, 60);
    band.setColorAt(0, QColor(214, 42, 36));
    band.setColorAt(1, QColor(160, 20, 24));
    p.fillRect(QRectF(0, 0, 417, 60), band);
    p.fillRect(QRectF(0, 60, 417, 3), kGold);
    p.fillRect(QRectF(0, 65, 417, 1), QColor(190, 140, 40));
    // The strip behind the badge kind.
    QLinearGradient strip(16, 0, 56, 0);
    strip.setColorAt(0, QColor(250, 226, 150));
    strip.setColorAt(1, QColor(236, 196, 96));
    p.setBrush(strip);
    p.setPen(QPen(QColor(190, 140, 40), 1.5));
    p.drawRoundedRect(QRectF(14.5, 120.5, 44, 118), 6, 6);
    // A line for the organisation and the foot.
    p.setPen(QPen(QColor(200, 170, 120), 1));
    p.drawLine(QPointF(80, 218.5), QPointF(282, 218.5));
    p.fillRect(QRectF(0, 232, 417, 6), QColor(160, 20, 24));
    p.end();
    save(image, "badge_background.jpg");
}

void badgePhotoFrame()
{
    QImage image = shaded({128, 151}, QColor(226, 232, 240), QColor(196, 204, 216));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(150, 160, 176));
    p.drawEllipse(QPointF(64, 58), 25, 29);
    QPainterPath shoulders;
    shoulders.moveTo(12, 151);
    shoulders.cubicTo(14, 104, 114, 104, 116, 151);
    shoulders.closeSubpath();
    p.drawPath(shoulders);
    p.setPen(QPen(QColor(120, 130, 146), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(1, 1, 126, 149));
    p.end();
    save(image, "badge_photo.png");
}

// First, previous, next, last: a triangle, with a bar at the ends; 48 x 24.
void recordButtons()
{
    auto button = [](const QString& name, bool forward, bool bar) {
        QImage image(48, 24, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        if (!forward) {
            p.translate(48, 0);
            p.scale(-1, 1);
        }
        p.setPen(pen(QColor(20, 60, 130), 1.2));
        p.setBrush(kBlue);
        const double start = bar ? 14 : 17;
        p.drawPolygon(QPolygonF{{start, 4}, {start + 14, 12}, {start, 20}});
        if (bar)
            p.drawRoundedRect(QRectF(start + 16, 4, 4, 16), 1, 1);
        p.end();
        save(image, name);
    };
    button("record_first.png", false, true);
    button("record_previous.png", false, false);
    button("record_next.png", true, false);
    button("record_last.png", true, true);
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2 || !QDir(argv[1]).exists()) {
        std::fprintf(stderr, "usage: draw_pictures PICTURE_DIRECTORY\n");
        return 1;
    }
    outDir = QString::fromLocal8Bit(argv[1]);
    mainToolBar(16);
    editorToolBar(20);
    groupImages();
    badgeBackground();
    badgePhotoFrame();
    recordButtons();
    return 0;
}
