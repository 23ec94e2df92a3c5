// kestrow-setupicons DIR: draws the settings application's icons into DIR as PNG files, the same
// bytes on every run: coloured rounded tiles with a white sign, 32 x 32 pixels.
#include "platform/toolcommandline.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <cstdio>
#include <functional>

namespace {

constexpr int Side = 32;

using Sign = std::function<void(QPainter &)>;

QPen signPen(qreal width)
{
    return QPen(Qt::white, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QImage tile(const QColor &top, const QColor &bottom, const Sign &sign)
{
    QImage image(Side, Side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fill(0, 0, 0, Side);
    fill.setColorAt(0, top);
    fill.setColorAt(1, bottom);
    p.setPen(QPen(bottom.darker(130), 1));
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(1.5, 1.5, Side - 3, Side - 3), 7, 7);
    sign(p);
    return image;
}

void play(QPainter &p)
{
    QPainterPath triangle;
    triangle.moveTo(12, 9);
    triangle.lineTo(23, 16);
    triangle.lineTo(12, 23);
    triangle.closeSubpath();
    p.setPen(signPen(2));
    p.setBrush(Qt::white);
    p.drawPath(triangle);
}

void power(QPainter &p)
{
    p.setPen(signPen(2.6));
    p.setBrush(Qt::NoBrush);
    // An open ring with a stroke through its gap.
    p.drawArc(QRectF(8.5, 9.5, 15, 15), 120 * 16, 300 * 16);
    p.drawLine(QPointF(16, 7), QPointF(16, 16));
}

void bolt(QPainter &p)
{
    QPainterPath path;
    path.moveTo(18, 6);
    path.lineTo(10, 18);
    path.lineTo(15.5, 18);
    path.lineTo(13.5, 26);
    path.lineTo(22, 13.5);
    path.lineTo(16.5, 13.5);
    path.closeSubpath();
    p.setPen(signPen(1));
    p.setBrush(Qt::white);
    p.drawPath(path);
}

void arrowHead(QPainter &p, const QPointF &tip, qreal angleDegrees)
{
    const qreal a = angleDegrees * M_PI / 180.0;
    const QPointF along(std::cos(a), -std::sin(a));
    const QPointF across(-along.y(), along.x());
    QPainterPath head;
    head.moveTo(tip);
    head.lineTo(tip - along * 5 + across * 3.5);
    head.lineTo(tip - along * 5 - across * 3.5);
    head.closeSubpath();
    p.setPen(signPen(1));
    p.setBrush(Qt::white);
    p.drawPath(head);
}

QPointF onRing(qreal degrees)
{
    const qreal a = degrees * M_PI / 180.0;
    return QPointF(16 + 8 * std::cos(a), 16 - 8 * std::sin(a));
}

void circularArrows(QPainter &p)
{
    // Two arcs chasing each other anticlockwise, each ending in a head along its way.
    p.setPen(signPen(2.4));
    p.setBrush(Qt::NoBrush);
    const QRectF ring(8, 8, 16, 16);
    for (const qreal start : { 30.0, 210.0 }) {
        p.setPen(signPen(2.4));
        p.setBrush(Qt::NoBrush);
        p.drawArc(ring, int(start * 16), 120 * 16);
        arrowHead(p, onRing(start + 135), start + 135 + 90);
    }
}

void palette(QPainter &p)
{
    QPainterPath board;
    board.addEllipse(QRectF(6.5, 8, 19, 16));
    QPainterPath thumb;
    thumb.addEllipse(QRectF(17, 17, 5, 4.5));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(board.subtracted(thumb));
    const QColor dots[]
        = { QColor(230, 70, 70), QColor(250, 190, 40), QColor(60, 170, 90), QColor(60, 120, 230) };
    const QPointF at[] = { { 11, 13.5 }, { 15.5, 11.5 }, { 20, 12.5 }, { 11, 18.5 } };
    for (int i = 0; i < 4; ++i) {
        p.setBrush(dots[i]);
        p.drawEllipse(at[i], 1.9, 1.9);
    }
}

void kestrel(QPainter &p)
{
    // A bird gliding: two swept wings meeting at the body.
    QPainterPath wings;
    wings.moveTo(5, 15);
    wings.quadTo(10.5, 8.5, 16, 16);
    wings.quadTo(21.5, 8.5, 27, 15);
    p.setPen(signPen(2.8));
    p.setBrush(Qt::NoBrush);
    p.drawPath(wings);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(16, 18.5), 2.2, 3.2);
}

void dockBar(QPainter &p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 110));
    p.drawRoundedRect(QRectF(5, 18, 22, 8), 2.5, 2.5);
    p.setBrush(Qt::white);
    for (int i = 0; i < 3; ++i)
        p.drawRoundedRect(QRectF(7.5 + i * 6, 12 + (i == 1 ? -2 : 0), 5, 11), 1.5, 1.5);
}

void picture(QPainter &p)
{
    p.setPen(signPen(1.8));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(7, 8, 18, 16), 2, 2);
    QPainterPath hills;
    hills.moveTo(8, 23);
    hills.lineTo(13.5, 16);
    hills.lineTo(17, 20);
    hills.lineTo(19.5, 17.5);
    hills.lineTo(24, 23);
    hills.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(hills);
    p.drawEllipse(QPointF(20, 12.5), 1.8, 1.8);
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    ToolCommandLine cmd(QStringLiteral("kestrow-setupicons"),
        QStringLiteral("Draws the settings application's icons into DIR as PNG files. Every run writes the "
                       "same bytes."));
    cmd.parser().addPositionalArgument(QStringLiteral("DIR"), QStringLiteral("Output folder."));
    if (const std::optional<int> done = cmd.process(app.arguments()))
        return *done;
    if (cmd.positional().size() != 1)
        return cmd.usageError(QStringLiteral("one output folder is needed, DIR"));
    const QDir dir(cmd.positional().first());
    if (!QDir().mkpath(dir.path())) {
        cmd.error(QStringLiteral("cannot create %1").arg(dir.path()));
        return 1;
    }
    const struct {
        const char *name;
        QColor top;
        QColor bottom;
        Sign sign;
    } icons[] = {
        { "status.png", QColor(92, 200, 110), QColor(34, 140, 64), play },
        { "off.png", QColor(160, 164, 172), QColor(98, 102, 112), power },
        { "autorun.png", QColor(90, 160, 250), QColor(36, 96, 200), bolt },
        { "refresh.png", QColor(255, 176, 72), QColor(224, 112, 24), circularArrows },
        { "theme.png", QColor(190, 120, 230), QColor(122, 60, 180), palette },
        { "title.png", QColor(226, 120, 70), QColor(168, 64, 34), kestrel },
        // The application's own icon in the phone's menu.
        { "kestrow.png", QColor(226, 120, 70), QColor(168, 64, 34), kestrel },
        { "dock.png", QColor(72, 196, 196), QColor(24, 128, 140), dockBar },
        { "skin.png", QColor(244, 110, 160), QColor(190, 50, 110), picture },
    };
    int failures = 0;
    for (const auto &icon : icons) {
        const QString path = dir.filePath(QString::fromLatin1(icon.name));
        if (!tile(icon.top, icon.bottom, icon.sign).save(path, "PNG")) {
            std::fprintf(stderr, "kestrow-setupicons: cannot write %s\n", qPrintable(path));
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
