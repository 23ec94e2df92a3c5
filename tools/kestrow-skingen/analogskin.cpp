#include "tools/kestrow-skingen/analogskin.h"

#include "data/skinnames.h"
#include "platform/phonescreen.h"
#include "tools/kestrow-skingen/drawing.h"
#include "tools/kestrow-skingen/gauges.h"
#include "tools/kestrow-skingen/outlinefont.h"
#include "tools/kestrow-skingen/outputfolder.h"
#include "tools/kestrow-skingen/palette.h"
#include "tools/kestrow-skingen/skinfile.h"
#include "tools/kestrow-skingen/skinkeys.h"
#include "tools/kestrow-skingen/strips.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <QTransform>

namespace AnalogSkin {
namespace {
constexpr int DialSize = 160;
constexpr int DialLeft = 40;
constexpr int DialTop = 26;
constexpr int DateTop = 194;
constexpr int CoverWidth = PhoneScreen::Width;
constexpr int CoverHeight = 275;
constexpr int CoverBottom = 266; // the frame is never shorter than this

StripStyle dateStyle()
{
    return Strips::dateStyle(Palette::ink, Palette::inkSoft, Palette::accent);
}

QPointF onCircle(QPointF c, qreal degrees, qreal r)
{
    QTransform t;
    t.rotate(degrees);
    return c + t.map(QPointF(0, -r));
}

void ticks(QPainter &p, QPointF c)
{
    QColor minor = Palette::inkDim;
    minor.setAlpha(150);
    for (int i = 0; i < 60; ++i) {
        const qreal a = i * 6.0;
        if (i % 5 == 0) {
            const bool quarter = i % 15 == 0;
            p.setPen(
                QPen(i == 0 ? Palette::accent : Palette::ink, quarter ? 3 : 2, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(onCircle(c, a, quarter ? 57 : 60), onCircle(c, a, 67));
        } else {
            p.setPen(QPen(minor, 1, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(onCircle(c, a, 64), onCircle(c, a, 67));
        }
    }
}

QImage dial()
{
    QImage image = Drawing::canvas(DialSize, DialSize);
    const QPointF c(DialSize / 2.0, DialSize / 2.0);
    QPainterPath face;
    face.addEllipse(c, 74, 74);
    QColor drop = Palette::shadow;
    drop.setAlpha(150);
    const QImage shadow = Drawing::shadowLayer(image.size(), face, drop, 2, QPointF(0, 2));

    QPainter p(&image);
    Drawing::smooth(p);
    p.drawImage(0, 0, shadow);
    QRadialGradient fill(c - QPointF(0, 24), 104);
    fill.setColorAt(0, QColor(0x24, 0x2C, 0x44, 235));
    fill.setColorAt(1, QColor(0x08, 0x0B, 0x14, 235));
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(face);
    QLinearGradient rim(0, c.y() - 74, 0, c.y() + 74);
    rim.setColorAt(0, QColor(255, 255, 255, 90));
    rim.setColorAt(0.5, QColor(255, 255, 255, 16));
    rim.setColorAt(1, QColor(0x5C, 0xD6, 0xC8, 70));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QBrush(rim), 1.5));
    p.drawEllipse(c, 73.25, 73.25);
    ticks(p, c);

    const OutlineFont brand(FontFiles::latinBold(), 7);
    const QString word = QStringLiteral("KESTROW");
    QPainterPath letters;
    qreal x = 0;
    for (const QChar ch : word) {
        letters.addPath(brand.path(QString(ch)).translated(x, 0));
        x += brand.advance(QString(ch)) + 1.2;
    }
    p.setPen(Qt::NoPen);
    p.setBrush(Palette::inkDim);
    p.drawPath(letters.translated(c.x() - (x - 1.2) / 2, c.y() + 30));
    return image;
}

// A hand points to 12 with its pivot at the centre of the image, as the clock rotates it about that centre.
QImage hand(
    int width, int height, qreal length, qreal tail, qreal thickness, const QColor &color, bool counterweight)
{
    QImage image = Drawing::canvas(width, height);
    const QPointF c(width / 2.0, height / 2.0);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(c.x() - thickness / 2, c.y() - length, thickness, length + tail),
        thickness / 2, thickness / 2);
    if (counterweight) {
        shape.addEllipse(QPointF(c.x(), c.y() + tail - 3), 2.6, 2.6);
        shape.addEllipse(c, 4, 4);
    }
    shape = shape.simplified();
    QColor halo = Palette::shadow;
    halo.setAlpha(130);
    const QImage shadow = Drawing::shadowLayer(image.size(), shape, halo, 1);

    QPainter p(&image);
    Drawing::smooth(p);
    p.drawImage(0, 0, shadow);
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawPath(shape);
    if (counterweight) {
        p.setBrush(Palette::night);
        p.drawEllipse(c, 1.6, 1.6);
    }
    return image;
}

QImage cap()
{
    QImage image = Drawing::canvas(12, 12);
    QPainter p(&image);
    Drawing::smooth(p);
    p.setPen(Qt::NoPen);
    p.setBrush(Palette::ink);
    p.drawEllipse(QPointF(6, 6), 4.5, 4.5);
    p.setBrush(Palette::night);
    p.drawEllipse(QPointF(6, 6), 1.6, 1.6);
    return image;
}

// The centre image: a shade under the gauges, a soft darkening behind the dial, and glass behind the texts.
QImage panel()
{
    QImage image = Drawing::canvas(PhoneScreen::Width, PhoneScreen::Height);
    QPainter p(&image);
    Drawing::smooth(p);
    Drawing::topShade(p, 24);

    const QPointF c(DialLeft + DialSize / 2.0, DialTop + DialSize / 2.0);
    QRadialGradient shade(c, 100);
    shade.setColorAt(0.6, QColor(0, 0, 0, 90));
    shade.setColorAt(1, QColor(0, 0, 0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(shade);
    p.drawEllipse(c, 100, 100);

    Drawing::glass(p, QRectF(22, DateTop - 6, 196, 72), 12, 160, 130, 24);
    return image;
}

QImage cover()
{
    QImage image = Drawing::canvas(CoverWidth, CoverHeight);
    const QRectF inner(3.5, 3.5, CoverWidth - 7, CoverBottom - 7);
    QPainterPath window;
    window.addRoundedRect(inner, 16, 16);
    QPainterPath all;
    all.addRect(0, 0, CoverWidth, CoverHeight);

    QPainter p(&image);
    Drawing::smooth(p);
    // A shade that deepens toward the edges, then rounded dark corners outside the thin border.
    const struct {
        QPointF from, to;
    } edges[] = {
        { { 0, 0 }, { 0, 22 } },
        { { 0, qreal(CoverBottom) }, { 0, CoverBottom - 22.0 } },
        { { 0, 0 }, { 22, 0 } },
        { { qreal(CoverWidth), 0 }, { CoverWidth - 22.0, 0 } },
    };
    for (const auto &e : edges) {
        QLinearGradient g(e.from, e.to);
        g.setColorAt(0, QColor(0, 0, 0, 110));
        g.setColorAt(1, QColor(0, 0, 0, 0));
        p.fillRect(QRectF(0, 0, CoverWidth, CoverBottom), g);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x05, 0x07, 0x0E, 235));
    p.drawPath(all.subtracted(window));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 46), 1));
    p.drawPath(window);
    return image;
}

void writeImages(OutputFolder &out)
{
    out.png(QStringLiteral("analog/panel.png"), panel());
    out.png(QStringLiteral("analog/cover.png"), cover());
    out.png(QStringLiteral("analog/dial.png"), dial());
    out.png(QStringLiteral("analog/cap.png"), cap());
    out.png(QStringLiteral("analog/hour.png"), hand(14, 88, 38, 8, 6, Palette::ink, false));
    out.png(QStringLiteral("analog/minute.png"), hand(12, 124, 58, 10, 4, Palette::inkSoft, false));
    out.png(QStringLiteral("analog/second.png"), hand(14, 136, 64, 16, 1.6, Palette::warm, true));
    out.png(QStringLiteral("analog/date.png"), Strips::digits(dateStyle(), Strips::Separator::Dash));
    out.png(QStringLiteral("analog/week.png"), Strips::weekDays(Strips::weekStyle()));
    for (int level = 0; level < 4; ++level)
        out.png(QStringLiteral("analog/battery%1.png").arg(level), Gauges::battery(level));
    for (int level = 0; level < 6; ++level)
        out.png(QStringLiteral("analog/signal%1.png").arg(level), Gauges::signal(level));
}

void faceKeys(SkinFile &cfg)
{
    cfg.group(SkinNames::Background::Group);
    cfg.set(SkinNames::Background::MidIMG, QStringLiteral("panel.png"));
    cfg.group(SkinNames::FrameCover::Group);
    cfg.set(SkinNames::Show, true);
    cfg.set(SkinNames::FrameCover::Img, QStringLiteral("cover.png"));
    // The cover's position is read from its own group, "Img".
    cfg.group(SkinNames::FrameCover::PlaceGroup);
    cfg.set(SkinNames::Left, 0);
    cfg.set(SkinNames::Top, 0);
    cfg.group(SkinNames::Analog::Group);
    cfg.set(SkinNames::Show, true);
    cfg.set(SkinNames::Analog::BackIMG, QStringLiteral("dial.png"));
    cfg.set(SkinNames::Analog::CenterIMG, QStringLiteral("cap.png"));
    cfg.set(SkinNames::Analog::MinIMG, QStringLiteral("minute.png"));
    cfg.set(SkinNames::Analog::HourIMG, QStringLiteral("hour.png"));
    cfg.set(SkinNames::Analog::SecShow, true);
    cfg.set(SkinNames::Analog::SecIMG, QStringLiteral("second.png"));
    cfg.set(SkinNames::Left, DialLeft);
    cfg.set(SkinNames::Top, DialTop);
    cfg.group(SkinNames::Digital::Group);
    cfg.set(SkinNames::Show, false);
}

void calendarKeys(SkinFile &cfg)
{
    const int w = dateStyle().cellWidth;
    const int year = (PhoneScreen::Width - SkinKeys::calendarWidth(w, Strips::weekStyle().cellWidth)) / 2;
    SkinKeys::calendar(cfg, w, year, DateTop, { 62, 232, 10 });
}

void indicatorKeys(SkinFile &cfg)
{
    SkinKeys::gauges(cfg, 12, 8);
    SkinKeys::notify(cfg, { 62, 251, 9 });
    cfg.group(SkinNames::DockBar::Group);
    cfg.set(SkinNames::Show, false);
}

SkinFile description()
{
    SkinFile cfg;
    cfg.group(SkinNames::General::Group);
    cfg.set(SkinNames::General::SkinName, QStringLiteral("Kestrow 表盘"));
    cfg.set(SkinNames::General::Author, QStringLiteral("Kestrow"));
    faceKeys(cfg);
    calendarKeys(cfg);
    indicatorKeys(cfg);
    return cfg;
}
} // namespace

void write(OutputFolder &out)
{
    writeImages(out);
    out.text(QStringLiteral("analog/skin.cfg"), description().bytes());
}
} // namespace AnalogSkin
