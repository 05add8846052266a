#include "CartoonArt.h"

#include "CartoonInk.h"
#include "Catalogue.h"
#include "Categories.h"

#include <QFont>
#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <array>

namespace {

constexpr int kBandHeight = 52;
constexpr int kCoverWidth = 512;
constexpr int kCoverHeight = 400;

struct Quips {
    std::string_view code;
    std::array<const char*, 3> lines;
};

constexpr Quips kQuips[] = {
    {"AF", {"Nice view up here!", "Is there a dress code?", "I left the oven on."}},
    {"AN", {"Who walks whom?", "He only eats caviar.", "Sit! Stay! Good."}},
    {"AR", {"It's abstract.", "Is it upside down?", "I call it Tuesday."}},
    {"CR", {"I was framed!", "Nobody saw a thing.", "Hands up!"}},
    {"EV", {"Just another day.", "Where are my keys?", "Honey, I'm home!"}},
    {"FD", {"Is that dessert?", "I said no onions.", "Seconds, anyone?"}},
    {"HI", {"Back in my day...", "Make it a pyramid.", "History repeats."}},
    {"ME", {"Say 'Ahh'!", "Take two of these.", "Next patient!"}},
    {"MO", {"Where did it go?", "Put it on my tab.", "Small change only."}},
    {"SC", {"Eureka! Maybe.", "Don't touch that!", "It worked on paper."}},
    {"SH", {"Just one more shop!", "Is this on sale?", "Cash or card?"}},
    {"SP", {"Did we score?", "Pass it to me!", "That was offside!"}},
    {"TR", {"Are we there yet?", "Left! No, right!", "Who packed this?"}},
    {"WO", {"Monday again...", "Is it five yet?", "Another meeting!"}},
};

QString Latin1(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QFont SceneFont(int pixelSize, bool bold, bool smooth) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    if (!smooth)
        font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

const char* Quip(std::string_view code, SceneRandom& random) {
    const int pick = random.Range(0, 2);
    for (const Quips& quips : kQuips) {
        if (quips.code == code)
            return quips.lines[static_cast<std::size_t>(pick)];
    }
    return "Hello!";
}

class CartoonPainter {
public:
    CartoonPainter(QImage& image, bool smooth) : m_painter(&image), m_smooth(smooth) {
        m_painter.setRenderHint(QPainter::Antialiasing, smooth);
        m_painter.setRenderHint(QPainter::TextAntialiasing, smooth);
    }
    QPainter& Painter() { return m_painter; }
    void Sky(const QRectF& area, Ink top, Ink bottom);
    void Sun(QPointF centre, qreal radius, Ink ink);
    void Cloud(QPointF centre, qreal scale);
    QPointF Figure(QPointF feet, qreal height, Ink shirt, SceneRandom& random);
    void Bubble(QPointF speaker, const QString& text, const QRectF& sky);
    void Band(const QRectF& band, const QString& title, const QString& fileName);
    void Frame(const QRectF& all);

private:
    void Outline(Ink fill, qreal width = 2) {
        m_painter.setPen(QPen(InkColour(Ink::black), width));
        m_painter.setBrush(InkColour(fill));
    }

    QPainter m_painter;
    bool m_smooth;
};

void CartoonPainter::Sky(const QRectF& area, Ink top, Ink bottom) {
    if (m_smooth) {
        QLinearGradient gradient(area.topLeft(), area.bottomLeft());
        gradient.setColorAt(0, InkColour(top));
        gradient.setColorAt(1, InkColour(bottom));
        m_painter.fillRect(area, gradient);
    } else {
        m_painter.fillRect(area, InkColour(top));
    }
}

void CartoonPainter::Sun(QPointF centre, qreal radius, Ink ink) {
    m_painter.setPen(QPen(InkColour(Ink::orange), 3));
    for (int ray = 0; ray < 12; ++ray) {
        QLineF line(centre, centre + QPointF(radius * 1.6, 0));
        line.setAngle(ray * 30.0);
        m_painter.drawLine(QLineF(line.pointAt(0.72), line.p2()));
    }
    Outline(ink);
    m_painter.drawEllipse(centre, radius, radius);
}

void CartoonPainter::Cloud(QPointF centre, qreal scale) {
    m_painter.setPen(QPen(InkColour(Ink::lightGrey), 2));
    m_painter.setBrush(InkColour(Ink::white));
    const QPointF puffs[] = {{-24, 4}, {0, -8}, {24, 4}, {0, 8}};
    for (QPointF puff : puffs)
        m_painter.drawEllipse(centre + puff * scale, 22 * scale, 14 * scale);
    m_painter.setPen(Qt::NoPen);
    m_painter.drawEllipse(centre, 34 * scale, 12 * scale);
}

// A figure standing on its feet; returns the top of its head.
QPointF CartoonPainter::Figure(QPointF feet, qreal height, Ink shirt, SceneRandom& random) {
    const qreal head = height * 0.13;
    const qreal hip = feet.y() - height * 0.38;
    const qreal shoulder = feet.y() - height * 0.70;
    const qreal half = height * 0.13;
    m_painter.setPen(QPen(InkColour(Ink::black), 4, Qt::SolidLine, Qt::RoundCap));
    m_painter.drawLine(QPointF(feet.x() - half * 0.5, hip), feet - QPointF(half, 0));
    m_painter.drawLine(QPointF(feet.x() + half * 0.5, hip), feet + QPointF(half, 0));
    const bool waving = random.Range(0, 1) == 1;
    m_painter.drawLine(QPointF(feet.x() - half, shoulder + 6),
                       QPointF(feet.x() - half * 2.2, hip - 4));
    m_painter.drawLine(QPointF(feet.x() + half, shoulder + 6),
                       QPointF(feet.x() + half * 2.4, waving ? shoulder - head : hip - 4));
    Outline(shirt);
    m_painter.drawRoundedRect(QRectF(feet.x() - half, shoulder, half * 2, hip - shoulder), 6, 6);
    const QPointF face(feet.x(), shoulder - head);
    Outline(Ink::skin);
    m_painter.drawEllipse(face, head, head);
    m_painter.setBrush(InkColour(Ink::black));
    m_painter.drawEllipse(face + QPointF(-head * 0.4, -head * 0.2), 2, 2);
    m_painter.drawEllipse(face + QPointF(head * 0.4, -head * 0.2), 2, 2);
    m_painter.setBrush(Qt::NoBrush);
    m_painter.drawArc(QRectF(face.x() - head * 0.5, face.y(), head, head * 0.5), 200 * 16,
                      140 * 16);
    if (random.Range(0, 2) == 0) { // a hat
        Outline(random.Pick({Ink::brown, Ink::blue, Ink::red}));
        m_painter.drawRect(
            QRectF(face.x() - head * 0.7, face.y() - head * 1.6, head * 1.4, head * 0.8));
        m_painter.drawLine(QPointF(face.x() - head * 1.2, face.y() - head * 0.8),
                           QPointF(face.x() + head * 1.2, face.y() - head * 0.8));
    }
    return face - QPointF(0, head);
}

void CartoonPainter::Bubble(QPointF speaker, const QString& text, const QRectF& sky) {
    m_painter.setFont(SceneFont(15, false, m_smooth));
    const QFontMetrics metrics(m_painter.font());
    const qreal width = metrics.horizontalAdvance(text) + 24;
    const qreal height = metrics.height() + 14;
    qreal left = std::clamp(speaker.x() - width * 0.3, sky.left() + 6, sky.right() - width - 6);
    const qreal top = std::max(sky.top() + 8, speaker.y() - height - 40);
    const QRectF box(left, top, width, height);
    Outline(Ink::white);
    const QPolygonF tail({box.center() + QPointF(-8, height / 2 - 2),
                          box.center() + QPointF(8, height / 2 - 2), speaker - QPointF(0, 6)});
    m_painter.drawPolygon(tail);
    m_painter.drawRoundedRect(box, 12, 12);
    m_painter.setPen(Qt::NoPen);
    m_painter.drawRect(QRectF(box.center().x() - 7, box.bottom() - 4, 14, 3));
    m_painter.setPen(InkColour(Ink::black));
    m_painter.drawText(box, Qt::AlignCenter, text);
}

void CartoonPainter::Band(const QRectF& band, const QString& title, const QString& fileName) {
    m_painter.fillRect(band, InkColour(Ink::white));
    m_painter.setPen(QPen(InkColour(Ink::black), 2));
    m_painter.drawLine(band.topLeft(), band.topRight());
    m_painter.setFont(SceneFont(20, true, m_smooth));
    m_painter.drawText(band.adjusted(0, 3, 0, -band.height() / 2 + 3), Qt::AlignCenter, title);
    m_painter.setFont(SceneFont(14, false, m_smooth));
    m_painter.setPen(InkColour(Ink::grey));
    m_painter.drawText(band.adjusted(0, band.height() / 2, 0, -2), Qt::AlignCenter, fileName);
}

void CartoonPainter::Frame(const QRectF& all) {
    m_painter.setPen(QPen(InkColour(Ink::black), 3));
    m_painter.setBrush(Qt::NoBrush);
    m_painter.drawRect(all.adjusted(1.5, 1.5, -1.5, -1.5));
}

} // namespace

QList<QRgb> InkPalette() {
    QList<QRgb> palette;
    for (int i = 0; i < kInkCount; ++i)
        palette.append(InkColour(static_cast<Ink>(i)).rgb());
    return palette;
}

QString CartoonTitle(std::string_view name) {
    QString category = QStringLiteral("?");
    for (const Category& entry : CategoryTable()) {
        if (name.size() >= 7 && name.substr(5, 2) == entry.code)
            category = Latin1(entry.label).remove(QLatin1Char('&'));
    }
    const QString variant = name.size() >= 8 ? Latin1(name.substr(7, 1)) : QString();
    return QStringLiteral("Page %1 - %2 - %3").arg(Latin1(PageText(name)), category, variant);
}

namespace {

// Sky, sun, clouds and ground above the band; returns the horizon.
qreal DrawLandscape(CartoonPainter& art, std::string_view code, const QRectF& scene,
                    SceneRandom& random) {
    const qreal width = scene.width();
    const qreal horizon = scene.height() * random.Range(60, 72) / 100.0;
    const bool night = code == "CR";
    const bool heaven = code == "AF";
    art.Sky(QRectF(0, 0, width, horizon), night ? Ink::blue : Ink::sky,
            night ? Ink::purple : Ink::paleSky);
    const QPointF sunAt(random.Range(int(width) / 2, int(width) - 50), random.Range(36, 60));
    art.Sun(sunAt, 22, night ? Ink::lightGrey : Ink::yellow);
    for (int i = random.Range(1, 2); i > 0; --i)
        art.Cloud(QPointF(random.Range(60, int(width) - 60), random.Range(40, int(horizon) - 40)),
                  random.Range(7, 11) / 10.0);
    const QRectF ground(0, horizon, width, scene.bottom() - horizon);
    art.Sky(ground, heaven ? Ink::white : Ink::grass, heaven ? Ink::lightGrey : Ink::darkGreen);
    if (code == "TR")
        art.Painter().fillRect(QRectF(0, horizon + ground.height() * 0.55, width, 18),
                               InkColour(Ink::grey));
    return horizon;
}

// The prop, one or two figures and the speaker's bubble.
void DrawCast(CartoonPainter& art, std::string_view code, const QRectF& scene, qreal horizon,
              SceneRandom& random) {
    const qreal width = scene.width();
    const qreal figureHeight = scene.height() * 0.5;
    const qreal feetY = scene.bottom() - random.Range(8, 16);
    const QPointF speaker(random.Range(int(width * 0.14), int(width * 0.3)), feetY);
    const QRectF propBox(width * 0.5, horizon - scene.height() * 0.12, width * 0.42,
                         feetY - horizon + scene.height() * 0.12);
    DrawCategoryProp(art.Painter(), code, propBox, random);
    const Ink shirt = random.Pick({Ink::red, Ink::blue, Ink::purple, Ink::orange, Ink::pink});
    if (random.Range(0, 1) == 1)
        art.Figure(QPointF(width * 0.4, feetY - 6), figureHeight * 0.8,
                   random.Pick({Ink::darkGreen, Ink::brown, Ink::grey}), random);
    QPointF headTop = art.Figure(speaker, figureHeight, shirt, random);
    if (code == "AF") { // a halo
        art.Painter().setPen(QPen(InkColour(Ink::yellow), 4));
        art.Painter().setBrush(Qt::NoBrush);
        art.Painter().drawEllipse(headTop - QPointF(0, 10), 18, 5);
        headTop -= QPointF(0, 14);
    }
    art.Bubble(headTop, QString::fromLatin1(Quip(code, random)), QRectF(0, 0, width, horizon));
}

} // namespace

void DrawCartoonScene(QImage& image, std::string_view code, SceneRandom& random,
                      const QString& title, const QString& caption, bool smooth) {
    const qreal width = image.width();
    image.fill(InkColour(Ink::white));
    CartoonPainter art(image, smooth);
    const QRectF scene(0, 0, width, image.height() - kBandHeight);
    const qreal horizon = DrawLandscape(art, code, scene, random);
    DrawCast(art, code, scene, horizon, random);
    art.Band(QRectF(0, scene.bottom(), width, kBandHeight), title, caption);
    art.Frame(QRectF(image.rect()));
}

QImage DrawCartoon(int position, bool smooth) {
    const std::string_view name = CatalogueName(position);
    const std::string_view code = name.size() >= 7 ? name.substr(5, 2) : std::string_view();
    SceneRandom random(0x51ce0000u + static_cast<std::uint64_t>(position));
    const int width = 480 + 8 * random.Range(0, 4);
    const int height = 300 + 10 * random.Range(0, 10);
    QImage image(width, height, QImage::Format_RGB32);
    DrawCartoonScene(image, code, random, CartoonTitle(name), Latin1(name), smooth);
    return image;
}

QImage DrawCover(bool smooth) {
    QImage image(kCoverWidth, kCoverHeight, QImage::Format_RGB32);
    CartoonPainter art(image, smooth);
    QPainter& painter = art.Painter();
    art.Sky(QRectF(image.rect()), Ink::blue, Ink::purple);
    art.Sun(QPointF(430, 70), 34, Ink::yellow);
    art.Cloud(QPointF(90, 60), 1.2);
    // A strip of film frames along the foot, one per category.
    SceneRandom random(0xc0feu);
    for (int i = 0; i < kCategoryCount / 2; ++i) {
        const QRectF frame(16 + i * 70, 300, 60, 60);
        painter.fillRect(frame, InkColour(Ink::black));
        painter.fillRect(frame.adjusted(6, 6, -6, -6), InkColour(Ink::paleSky));
        art.Figure(frame.center() + QPointF(0, 24), 46, random.Pick({Ink::red, Ink::orange}),
                   random);
    }
    QFont title = QFont(QStringLiteral("DejaVu Sans"));
    title.setPixelSize(104);
    title.setBold(true);
    QPainterPath path;
    path.addText(0, 0, title, QStringLiteral("Quelby"));
    path.translate((kCoverWidth - path.boundingRect().width()) / 2 - path.boundingRect().left(),
                   190);
    painter.setRenderHint(QPainter::Antialiasing, smooth);
    painter.setPen(QPen(InkColour(Ink::black), 5));
    painter.setBrush(InkColour(Ink::yellow));
    painter.drawPath(path);
    QFont subtitle = title;
    subtitle.setPixelSize(32);
    if (!smooth)
        subtitle.setStyleStrategy(QFont::NoAntialias);
    painter.setFont(subtitle);
    painter.setPen(InkColour(Ink::white));
    painter.drawText(QRectF(0, 206, kCoverWidth, 40), Qt::AlignCenter,
                     QStringLiteral("Vanto CD Home"));
    subtitle.setPixelSize(18);
    subtitle.setBold(false);
    painter.setFont(subtitle);
    painter.drawText(QRectF(0, 250, kCoverWidth, 28), Qt::AlignCenter,
                     QStringLiteral("The 1st Treasury - 743 cartoons"));
    art.Frame(QRectF(image.rect()));
    return image;
}
