#include "CartoonInk.h"

#include <QPainterPath>
#include <QPolygonF>

// One small drawing per category, each inside its box with its base on the
// box's bottom edge. Shapes are kept simple so that they read at 16 colours.

namespace {

// Text in a prop follows the painter's smoothing, as the scene's own text does.
QFont PropFont(const QPainter& p, int pixelSize) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(true);
    if (!p.testRenderHint(QPainter::TextAntialiasing))
        font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

void Ink2(QPainter& p, Ink fill, qreal width = 2) {
    p.setPen(QPen(InkColour(Ink::black), width));
    p.setBrush(InkColour(fill));
}

void Dog(QPainter& p, const QRectF& b, SceneRandom& r) {
    const Ink coat = r.Pick({Ink::brown, Ink::orange, Ink::grey});
    const QRectF body(b.left() + b.width() * 0.2, b.bottom() - b.height() * 0.45, b.width() * 0.5,
                      b.height() * 0.25);
    p.setPen(QPen(InkColour(Ink::black), 5, Qt::SolidLine, Qt::RoundCap));
    for (qreal x : {0.15, 0.35, 0.7, 0.88})
        p.drawLine(QPointF(body.left() + body.width() * x, body.center().y()),
                   QPointF(body.left() + body.width() * x, b.bottom()));
    p.drawLine(body.topLeft() + QPointF(6, 8), body.topLeft() + QPointF(-18, -18));
    Ink2(p, coat);
    p.drawEllipse(body);
    const QPointF head = body.topRight() + QPointF(0, 2);
    p.drawEllipse(head, b.height() * 0.13, b.height() * 0.12);
    p.drawEllipse(head + QPointF(-b.height() * 0.1, -b.height() * 0.02), 6, 12);
    p.setBrush(InkColour(Ink::black));
    p.drawEllipse(head + QPointF(b.height() * 0.12, 2), 4, 4);
    p.drawEllipse(head + QPointF(2, -4), 2, 2);
}

void Easel(QPainter& p, const QRectF& b, SceneRandom& r) {
    p.setPen(QPen(InkColour(Ink::brown), 5));
    const QPointF top(b.center().x(), b.top() + b.height() * 0.15);
    p.drawLine(top, QPointF(b.left() + b.width() * 0.25, b.bottom()));
    p.drawLine(top, QPointF(b.right() - b.width() * 0.25, b.bottom()));
    const QRectF canvas(b.left() + b.width() * 0.22, b.top() + b.height() * 0.2, b.width() * 0.56,
                        b.height() * 0.45);
    Ink2(p, Ink::white, 3);
    p.drawRect(canvas);
    for (int i = 0; i < 4; ++i) {
        p.setPen(QPen(InkColour(r.Pick({Ink::red, Ink::blue, Ink::yellow, Ink::purple})), 6));
        p.drawLine(canvas.topLeft() + QPointF(r.Range(8, 40), r.Range(8, 30)),
                   canvas.bottomRight() - QPointF(r.Range(8, 40), r.Range(8, 30)));
    }
}

void Safe(QPainter& p, const QRectF& b, SceneRandom&) {
    const QRectF box(b.left() + b.width() * 0.25, b.bottom() - b.height() * 0.6, b.width() * 0.5,
                     b.height() * 0.6);
    Ink2(p, Ink::grey, 3);
    p.drawRect(box);
    Ink2(p, Ink::lightGrey);
    p.drawEllipse(box.center(), box.width() * 0.18, box.width() * 0.18);
    p.drawLine(box.center(), box.center() + QPointF(box.width() * 0.12, -6));
    p.setPen(QPen(InkColour(Ink::yellow), 3));
    p.setFont(PropFont(p, 18));
    p.drawText(box.adjusted(0, 4, 0, 0), Qt::AlignTop | Qt::AlignHCenter, QStringLiteral("$$$"));
}

void House(QPainter& p, const QRectF& b, SceneRandom& r) {
    const QRectF wall(b.left() + b.width() * 0.15, b.bottom() - b.height() * 0.55, b.width() * 0.7,
                      b.height() * 0.55);
    Ink2(p, r.Pick({Ink::pink, Ink::yellow, Ink::white}));
    p.drawRect(wall);
    Ink2(p, Ink::red);
    p.drawPolygon(QPolygonF({wall.topLeft() + QPointF(-12, 0), wall.topRight() + QPointF(12, 0),
                             QPointF(wall.center().x(), b.top())}));
    Ink2(p, Ink::brown);
    p.drawRect(QRectF(wall.center().x() - 14, wall.bottom() - 46, 28, 46));
    Ink2(p, Ink::paleSky);
    p.drawRect(QRectF(wall.left() + 14, wall.top() + 14, 30, 24));
    p.drawRect(QRectF(wall.right() - 44, wall.top() + 14, 30, 24));
}

void Cake(QPainter& p, const QRectF& b, SceneRandom& r) {
    const qreal tableTop = b.bottom() - b.height() * 0.4;
    Ink2(p, Ink::brown);
    p.drawRect(QRectF(b.left() + 10, tableTop, b.width() - 20, 10));
    p.drawRect(QRectF(b.left() + 20, tableTop + 10, 8, b.bottom() - tableTop - 10));
    p.drawRect(QRectF(b.right() - 28, tableTop + 10, 8, b.bottom() - tableTop - 10));
    Ink2(p, Ink::white);
    p.drawEllipse(QPointF(b.center().x(), tableTop - 2), b.width() * 0.3, 8);
    const QRectF cake(b.center().x() - 40, tableTop - 52, 80, 48);
    Ink2(p, r.Pick({Ink::pink, Ink::brown, Ink::yellow}));
    p.drawRect(cake);
    Ink2(p, Ink::red);
    p.drawRect(QRectF(cake.center().x() - 3, cake.top() - 22, 6, 22));
    Ink2(p, Ink::orange, 1);
    p.drawEllipse(QPointF(cake.center().x(), cake.top() - 28), 4, 7);
}

void Castle(QPainter& p, const QRectF& b, SceneRandom&) {
    const QRectF keep(b.left() + b.width() * 0.2, b.top() + b.height() * 0.25, b.width() * 0.6,
                      b.height() * 0.75);
    Ink2(p, Ink::lightGrey);
    p.drawRect(keep);
    const qreal merlon = keep.width() / 7;
    for (int i = 0; i < 7; i += 2)
        p.drawRect(QRectF(keep.left() + i * merlon, keep.top() - 16, merlon, 16));
    Ink2(p, Ink::black);
    p.drawChord(QRectF(keep.center().x() - 20, keep.bottom() - 60, 40, 80), 0, 180 * 16);
    p.drawRect(QRectF(keep.center().x() - 20, keep.bottom() - 20, 40, 20));
    p.setPen(QPen(InkColour(Ink::black), 2));
    p.drawLine(QPointF(keep.center().x(), keep.top() - 16), QPointF(keep.center().x(), b.top()));
    Ink2(p, Ink::red, 1);
    p.drawRect(QRectF(keep.center().x(), b.top(), 26, 14));
}

void Hospital(QPainter& p, const QRectF& b, SceneRandom&) {
    const QRectF bag(b.left() + b.width() * 0.2, b.bottom() - b.height() * 0.45, b.width() * 0.6,
                     b.height() * 0.45);
    Ink2(p, Ink::white, 3);
    p.drawRoundedRect(bag, 10, 10);
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(bag.center().x() - 30, bag.top() - 24, 60, 48), 0, 180 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(InkColour(Ink::red));
    const qreal arm = bag.height() * 0.3;
    p.drawRect(QRectF(bag.center().x() - arm, bag.center().y() - arm / 3, arm * 2, arm * 2 / 3));
    p.drawRect(QRectF(bag.center().x() - arm / 3, bag.center().y() - arm, arm * 2 / 3, arm * 2));
}

void Coins(QPainter& p, const QRectF& b, SceneRandom& r) {
    const int stacks = r.Range(2, 4);
    for (int s = 0; s < stacks; ++s) {
        const qreal x = b.left() + 30 + s * (b.width() - 60) / stacks;
        const int height = r.Range(3, 9);
        for (int c = 0; c < height; ++c) {
            Ink2(p, Ink::yellow, 1.5);
            p.drawEllipse(QPointF(x + 20, b.bottom() - 6 - c * 9), 22, 7);
        }
    }
    p.setPen(InkColour(Ink::darkGreen));
    p.setFont(PropFont(p, 36));
    p.drawText(b.adjusted(0, 0, 0, -b.height() * 0.5), Qt::AlignCenter, QStringLiteral("$"));
}

void Flask(QPainter& p, const QRectF& b, SceneRandom& r) {
    const qreal neck = b.width() * 0.08;
    const QPointF top(b.center().x(), b.top() + b.height() * 0.2);
    Ink2(p, r.Pick({Ink::darkGreen, Ink::purple, Ink::blue}), 3);
    p.drawPolygon(QPolygonF({top + QPointF(-neck, 0), top + QPointF(neck, 0),
                             QPointF(top.x() + b.width() * 0.28, b.bottom()),
                             QPointF(top.x() - b.width() * 0.28, b.bottom())}));
    Ink2(p, Ink::lightGrey, 3);
    p.drawRect(QRectF(top.x() - neck, b.top(), neck * 2, top.y() - b.top()));
    Ink2(p, Ink::brown, 2);
    p.drawRect(QRectF(top.x() - neck - 3, b.top() - 10, neck * 2 + 6, 12));
    Ink2(p, Ink::white, 1);
    for (int i = 0; i < 5; ++i)
        p.drawEllipse(QPointF(top.x() + r.Range(-30, 30), b.top() - r.Range(20, 50)), 6, 6);
}

void Cart(QPainter& p, const QRectF& b, SceneRandom&) {
    const qreal base = b.bottom() - 22;
    Ink2(p, Ink::lightGrey, 3);
    p.drawPolygon(QPolygonF({QPointF(b.left() + 20, b.top() + b.height() * 0.35),
                             QPointF(b.right() - 20, b.top() + b.height() * 0.35),
                             QPointF(b.right() - 40, base), QPointF(b.left() + 40, base)}));
    p.drawLine(QPointF(b.right() - 20, b.top() + b.height() * 0.35),
               QPointF(b.right() + 4, b.top() + b.height() * 0.2));
    Ink2(p, Ink::black);
    p.drawEllipse(QPointF(b.left() + 50, b.bottom() - 10), 10, 10);
    p.drawEllipse(QPointF(b.right() - 50, b.bottom() - 10), 10, 10);
    Ink2(p, Ink::orange);
    p.drawRect(QRectF(b.left() + 50, b.top() + b.height() * 0.2, 40, 34));
    Ink2(p, Ink::grass);
    p.drawEllipse(QPointF(b.center().x() + 20, b.top() + b.height() * 0.3), 22, 16);
}

void Football(QPainter& p, const QRectF& b, SceneRandom& r) {
    p.setPen(QPen(InkColour(Ink::white), 6));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({QPointF(b.left() + b.width() * 0.3, b.bottom() - 30),
                              QPointF(b.left() + b.width() * 0.3, b.top() + 10),
                              QPointF(b.right() - 10, b.top() + 10),
                              QPointF(b.right() - 10, b.bottom() - 30)}));
    const QPointF ball(b.left() + r.Range(20, int(b.width() * 0.5)), b.bottom() - 16);
    Ink2(p, Ink::white);
    p.drawEllipse(ball, 16, 16);
    p.setBrush(InkColour(Ink::black));
    p.drawEllipse(ball, 6, 6);
}

void Car(QPainter& p, const QRectF& b, SceneRandom& r) {
    const qreal wheelY = b.bottom() - 14;
    const QRectF body(b.left() + 10, wheelY - 44, b.width() - 20, 36);
    Ink2(p, r.Pick({Ink::red, Ink::blue, Ink::yellow}), 3);
    p.drawRoundedRect(body, 10, 10);
    p.drawRoundedRect(
        QRectF(body.left() + body.width() * 0.25, body.top() - 32, body.width() * 0.45, 34), 8, 8);
    Ink2(p, Ink::paleSky);
    p.drawRect(QRectF(body.left() + body.width() * 0.3, body.top() - 26, body.width() * 0.16, 22));
    p.drawRect(QRectF(body.left() + body.width() * 0.5, body.top() - 26, body.width() * 0.16, 22));
    Ink2(p, Ink::black);
    p.drawEllipse(QPointF(body.left() + body.width() * 0.22, wheelY), 14, 14);
    p.drawEllipse(QPointF(body.right() - body.width() * 0.22, wheelY), 14, 14);
}

void Desk(QPainter& p, const QRectF& b, SceneRandom& r) {
    const qreal top = b.bottom() - b.height() * 0.42;
    Ink2(p, Ink::brown);
    p.drawRect(QRectF(b.left() + 10, top, b.width() - 20, 12));
    p.drawRect(QRectF(b.left() + 20, top + 12, 10, b.bottom() - top - 12));
    p.drawRect(QRectF(b.right() - 30, top + 12, 10, b.bottom() - top - 12));
    const QRectF screen(b.center().x() - 50, top - 86, 100, 70);
    Ink2(p, Ink::grey, 3);
    p.drawRect(screen);
    p.drawRect(QRectF(screen.center().x() - 8, screen.bottom(), 16, 16));
    Ink2(p, r.Pick({Ink::blue, Ink::darkGreen}), 1);
    p.drawRect(screen.adjusted(8, 8, -8, -8));
    Ink2(p, Ink::white);
    for (int i = 0; i < 4; ++i)
        p.drawRect(QRectF(b.left() + 40 + i * 8, top - 10 - i * 8, 44, 8)); // papers
}

void Gates(QPainter& p, const QRectF& b, SceneRandom&) {
    const QRectF gate(b.left() + b.width() * 0.2, b.top() + b.height() * 0.15, b.width() * 0.6,
                      b.height() * 0.85);
    p.setPen(QPen(InkColour(Ink::yellow), 5));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(gate.left(), gate.top(), gate.width(), gate.height() * 0.5), 0, 180 * 16);
    for (int i = 0; i <= 6; ++i) {
        const qreal x = gate.left() + i * gate.width() / 6;
        p.drawLine(QPointF(x, gate.top() + gate.height() * 0.25), QPointF(x, gate.bottom()));
    }
}

} // namespace

void DrawCategoryProp(QPainter& painter, std::string_view code, const QRectF& box,
                      SceneRandom& random) {
    using Prop = void (*)(QPainter&, const QRectF&, SceneRandom&);
    struct Entry {
        std::string_view code;
        Prop draw;
    };
    static constexpr Entry kProps[] = {
        {"AF", Gates}, {"AN", Dog},      {"AR", Easel},    {"CR", Safe},  {"EV", House},
        {"FD", Cake},  {"HI", Castle},   {"ME", Hospital}, {"MO", Coins}, {"SC", Flask},
        {"SH", Cart},  {"SP", Football}, {"TR", Car},      {"WO", Desk},
    };
    painter.save();
    for (const Entry& entry : kProps) {
        if (entry.code == code)
            entry.draw(painter, box, random);
    }
    painter.restore();
}
