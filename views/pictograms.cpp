#include "pictograms.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace klu {

namespace {

// Light fills inside a dark outline read on light and dark colour schemes alike.
const QColor kInk(46, 52, 54);
const QColor kPaper(255, 255, 255);
const QColor kBlue(52, 101, 164);
const QColor kSky(219, 230, 244);
const QColor kGrey(186, 189, 182);
const QColor kHandle(136, 138, 133);
const QColor kFolderBack(193, 125, 17);
const QColor kFolderFront(233, 185, 110);
const QColor kBulb(252, 233, 79);
const QColor kGreen(78, 154, 6);
const QColor kSkin(252, 175, 62);
const QColor kShirt(114, 159, 207);

QPolygonF Polygon(std::initializer_list<QPointF> points) {
    return QPolygonF(QList<QPointF>(points));
}

// Shapes with a one-unit dark outline and a fill.
class Pen {
  public:
    explicit Pen(QPainter& painter) : p(painter) {}

    void Rect(qreal left, qreal top, qreal right, qreal bottom, const QColor& fill) {
        Outline(fill);
        p.drawRect(QRectF(QPointF(left, top), QPointF(right, bottom)));
    }
    void Shape(const QPolygonF& points, const QColor& fill) {
        Outline(fill);
        p.drawPolygon(points);
    }
    void Circle(qreal x, qreal y, qreal radius, const QColor& fill) {
        Outline(fill);
        p.drawEllipse(QPointF(x, y), radius, radius);
    }
    void Dot(qreal x, qreal y, qreal radius, const QColor& fill) {
        p.setPen(Qt::NoPen);
        p.setBrush(fill);
        p.drawEllipse(QPointF(x, y), radius, radius);
    }
    void Line(qreal x1, qreal y1, qreal x2, qreal y2, const QColor& colour, qreal width = 1) {
        p.setPen(QPen(colour, width, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(QPointF(x1, y1), QPointF(x2, y2));
    }
    void Stroke(const QPainterPath& path, const QColor& colour, qreal width) {
        p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
    }
    // Lines of text across a page, every other unit.
    void TextLines(qreal left, qreal right, qreal top, qreal bottom) {
        for (qreal y = top; y <= bottom; y += 2)
            Line(left, y, right, y, kInk);
    }

  private:
    void Outline(const QColor& fill) {
        p.setPen(QPen(kInk, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        p.setBrush(fill);
    }
    QPainter& p;
};

void DrawPrinter(Pen& pen, qreal x, qreal y) {
    pen.Rect(x + 2.5, y + 0.5, x + 10.5, y + 4.5, kPaper);
    pen.Rect(x + 0.5, y + 4.5, x + 12.5, y + 9.5, kGrey);
    pen.Rect(x + 2.5, y + 8.5, x + 10.5, y + 12.5, kPaper);
    pen.Line(x + 4, y + 10.5, x + 9, y + 10.5, kInk);
}

void DrawArrow(Pen& pen, bool left) {
    const QPolygonF arrow = Polygon({{2.5, 10}, {9.5, 3.5}, {9.5, 7.5}, {17.5, 7.5}, {17.5, 12.5},
                                     {9.5, 12.5}, {9.5, 16.5}});
    pen.Shape(left ? arrow : QTransform(-1, 0, 0, 1, 20, 0).map(arrow), kBlue);
}

void DrawPicture(Pen& pen) {
    pen.Rect(1.5, 2.5, 14.5, 13.5, kSky);
    pen.Shape(Polygon({{1.5, 13.5}, {6, 7}, {9, 10.5}, {11, 8.5}, {14.5, 13.5}}), kGreen);
    pen.Dot(11, 5.5, 1.5, kBulb);
}

void DrawBulb(Pen& pen, qreal x, qreal y, qreal radius) {
    pen.Rect(x - 2.5, y + radius - 0.5, x + 2.5, y + radius + 3.5, kGrey);
    pen.Circle(x, y, radius, kBulb);
}

void Draw(QPainter& painter, Pictogram pictogram) {
    Pen pen(painter);
    switch (pictogram) {
        case Pictogram::Open:
            pen.Shape(Polygon({{2.5, 4.5}, {7.5, 4.5}, {9.5, 6.5}, {16.5, 6.5}, {16.5, 15.5},
                               {2.5, 15.5}}),
                      kFolderBack);
            pen.Shape(Polygon({{5.5, 9.5}, {18.5, 9.5}, {16.5, 15.5}, {2.5, 15.5}}), kFolderFront);
            return;
        case Pictogram::Find:
            pen.Line(12, 12, 17.5, 17.5, kHandle, 3);
            pen.Circle(8.5, 8.5, 5.5, kSky);
            return;
        case Pictogram::Export:
            pen.Rect(2.5, 1.5, 12.5, 18.5, kPaper);
            pen.TextLines(4.5, 10.5, 4.5, 8.5);
            pen.Shape(Polygon({{7.5, 11.5}, {12.5, 11.5}, {12.5, 8.5}, {18.5, 13}, {12.5, 17.5},
                               {12.5, 14.5}, {7.5, 14.5}}),
                      kBlue);
            return;
        case Pictogram::Print:
            DrawPrinter(pen, 3.5, 3.5);
            return;
        case Pictogram::Save:
            pen.Rect(2.5, 2.5, 17.5, 17.5, kBlue);
            pen.Rect(5.5, 2.5, 14.5, 7.5, kGrey);
            pen.Rect(4.5, 10.5, 15.5, 17.5, kPaper);
            pen.TextLines(6.5, 13.5, 12.5, 14.5);
            return;
        case Pictogram::PrintWindow:
            pen.Rect(1.5, 1.5, 13.5, 11.5, kPaper);
            pen.Rect(1.5, 1.5, 13.5, 4.5, kBlue);
            DrawPrinter(pen, 6, 6);
            return;
        case Pictogram::TopWindow:
            pen.Rect(3.5, 1.5, 16.5, 4.5, kBlue);
            pen.Shape(Polygon({{10, 6.5}, {16.5, 12.5}, {12.5, 12.5}, {12.5, 17.5}, {7.5, 17.5},
                               {7.5, 12.5}, {3.5, 12.5}}),
                      kBlue);
            return;
        case Pictogram::Help: {
            pen.Circle(10, 10, 8, kBlue);
            QPainterPath hook(QPointF(7, 7.5));
            hook.cubicTo(7, 3.8, 13, 3.8, 13, 7.5);
            hook.cubicTo(13, 9.8, 10, 9.8, 10, 12);
            pen.Stroke(hook, kPaper, 2);
            pen.Dot(10, 15, 1.3, kPaper);
            return;
        }
        case Pictogram::Back:
        case Pictogram::Forward:
            DrawArrow(pen, pictogram == Pictogram::Back);
            return;
        case Pictogram::Subject:
            pen.Shape(Polygon({{1.5, 2.5}, {6.5, 2.5}, {7.5, 4.5}, {14.5, 4.5}, {14.5, 13.5},
                               {1.5, 13.5}}),
                      kFolderFront);
            pen.Line(1.5, 6.5, 14.5, 6.5, kInk);
            return;
        case Pictogram::Hint:
            DrawBulb(pen, 8, 6, 4.5);
            return;
        case Pictogram::NestedHint:
            DrawBulb(pen, 5, 5, 3.5);
            DrawBulb(pen, 10.5, 7, 3.5);
            return;
        case Pictogram::Comment:
            pen.Shape(Polygon({{1.5, 1.5}, {14.5, 1.5}, {14.5, 10.5}, {8.5, 10.5}, {4.5, 14.5},
                               {4.5, 10.5}, {1.5, 10.5}}),
                      kPaper);
            pen.TextLines(4, 12, 4.5, 7.5);
            return;
        case Pictogram::Credit:
            pen.Shape(Polygon({{2.5, 15.5}, {2.5, 11.5}, {5.5, 8.5}, {10.5, 8.5}, {13.5, 11.5},
                               {13.5, 15.5}}),
                      kShirt);
            pen.Circle(8, 5, 3.5, kSkin);
            return;
        case Pictogram::Picture:
            DrawPicture(pen);
            return;
        case Pictogram::Info:
            pen.Circle(8, 8, 6.5, kBlue);
            pen.Dot(8, 4.8, 1.2, kPaper);
            pen.Line(8, 7, 8, 12.5, kPaper, 2);
            return;
        case Pictogram::Text:
            pen.Rect(2.5, 0.5, 13.5, 15.5, kPaper);
            pen.TextLines(4.5, 11.5, 3.5, 12.5);
            return;
        case Pictogram::Listing:
            pen.Rect(0.5, 1.5, 15.5, 14.5, kPaper);
            for (const qreal y : {4.5, 8.0, 11.5}) {
                pen.Dot(3.5, y, 1.2, kBlue);
                pen.Line(6, y, 13, y, kInk);
            }
            return;
    }
}

// Commands are drawn for the control bar's 20 pixels, windows for a window icon's 16.
qreal GridOf(Pictogram pictogram) {
    return pictogram < Pictogram::Subject ? 20 : 16;
}

class PictogramEngine : public QIconEngine {
  public:
    explicit PictogramEngine(Pictogram pictogram) : pictogram_(pictogram) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        if (mode == QIcon::Disabled) painter->setOpacity(0.35);
        const qreal side = std::min(rect.width(), rect.height());
        painter->translate(rect.x() + (rect.width() - side) / 2,
                           rect.y() + (rect.height() - side) / 2);
        painter->scale(side / GridOf(pictogram_), side / GridOf(pictogram_));
        Draw(*painter, pictogram_);
        painter->restore();
    }

    // Drawn afresh at every size asked for: a doubled screen asks for twice the pixels.
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        return pixmap;
    }

    QIconEngine* clone() const override { return new PictogramEngine(pictogram_); }
    QString key() const override { return QStringLiteral("KluPictogram"); }

  private:
    Pictogram pictogram_;
};

}  // namespace

QIcon PictogramIcon(Pictogram pictogram) {
    return QIcon(new PictogramEngine(pictogram));
}

}  // namespace klu
