#include "brix/calcwindows/tapeexport.h"

#include "brix/strings/tools.h"

#include <QDateTime>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QLocale>
#include <QPainter>
#include <QPrinter>
#include <QSaveFile>

#include <algorithm>
#include <cmath>
#include <vector>

namespace Brix {

const QString TapeRule = QString(16, QChar(0x2500)); // ────────────────

namespace {

// Before a number changed by an edit, as the tape's view marks it.
const QString EditedMark = QStringLiteral("\u270E");

// The number as shown, with the edited mark before it.
QString ShownNumber(const TBrixTapeRow &Row)
{
    return Row.Edited ? EditedMark + u' ' + Row.Number : Row.Number;
}

bool HasNumberColumn(const TBrixTapeRow &Row)
{
    return (Row.Kind == lkNumber || Row.Kind == lkResult) && !Row.Number.isEmpty();
}

// The rows of each calculation that has lines.
QList<QList<TBrixTapeRow>> RowsOf(const QList<TBrixTapeCalculation> &Calculations)
{
    QList<QList<TBrixTapeRow>> All;
    for (const TBrixTapeCalculation &Lines : Calculations)
        if (!Lines.isEmpty())
            All.append(TapeRows(Lines));
    return All;
}

// ---- CSV ----

// A field per RFC 4180: quoted when it holds a comma, a quote or a line
// break, with its quotes doubled.
QByteArray CsvField(const QString &Text)
{
    QByteArray Field = Text.toUtf8();
    if (Field.contains(',') || Field.contains('"') || Field.contains('\n') || Field.contains('\r'))
        Field = '"' + Field.replace("\"", "\"\"") + '"';
    return Field;
}

QByteArray CsvRow(const QString &Operator, const QString &Number, const QString &Result)
{
    return CsvField(Operator) + ',' + CsvField(Number) + ',' + CsvField(Result) + "\r\n";
}

// ---- Printing ----

// What the printout is made of, top to bottom.
struct TPrintItem
{
    enum TKind
    {
        piRow,
        piRule // between calculations
    };
    TKind Kind = piRow;
    TBrixTapeRow Row;
};

struct TPrintFonts
{
    QFont Text;    // operators, text rows, the header
    QFont Numbers; // digits of one width
    QFont Total;   // Numbers, bold
    QFont Edited;  // Numbers, italic
};

QFont NumberFontOf(const TPrintFonts &Fonts, const TBrixTapeRow &Row)
{
    if (Row.Kind == lkResult)
        return Fonts.Total;
    return Row.Edited ? Fonts.Edited : Fonts.Numbers;
}

} // namespace

// ---- Text ----

QString TapeText(const QList<TBrixTapeCalculation> &Calculations)
{
    const QList<QList<TBrixTapeRow>> All = RowsOf(Calculations);
    qsizetype Width = 0;
    for (const QList<TBrixTapeRow> &Rows : All)
        for (const TBrixTapeRow &Row : Rows)
            if (HasNumberColumn(Row))
                Width = std::max(Width, ShownNumber(Row).size());

    QString Text;
    for (qsizetype C = 0; C < All.size(); ++C) {
        if (C > 0)
            Text += TapeRule + u'\n';
        for (const TBrixTapeRow &Row : All[C]) {
            if (Row.Number.isEmpty()) {
                Text += Row.Operator.rightJustified(Width) + u'\n';
                continue;
            }
            // A total under a rule as wide as it.
            if (Row.Kind == lkResult)
                Text += QString(Row.Number.size(), u'-').rightJustified(Width) + u'\n';
            Text += ShownNumber(Row).rightJustified(Width);
            if (!Row.Operator.isEmpty())
                Text += u' ' + Row.Operator;
            Text += u'\n';
        }
    }
    return Text;
}

// ---- CSV ----

QByteArray TapeCsv(const QList<TBrixTapeCalculation> &Calculations)
{
    QByteArray Csv =
        CsvRow(QStringLiteral("operator"), QStringLiteral("number"), QStringLiteral("result"));
    for (const QList<TBrixTapeRow> &Rows : RowsOf(Calculations))
        for (const TBrixTapeRow &Row : Rows) {
            if (Row.Operator == TapeRule)
                continue;
            switch (Row.Kind) {
            case lkNumber:
                Csv += CsvRow(Row.Operator, StoredFloatText(Row.Value, 18, u'.'), QString());
                break;
            case lkResult:
                Csv += CsvRow(Row.Operator, QString(), StoredFloatText(Row.Value, 18, u'.'));
                break;
            case lkError:
                Csv += CsvRow(Row.Operator, QString(), Row.Number);
                break;
            case lkText:
            case lkOperator:
                Csv += CsvRow(Row.Operator, QString(), QString());
                break;
            }
        }
    return Csv;
}

// ---- The file ----

QString SaveTape(const QString &Path, const QList<TBrixTapeCalculation> &Calculations)
{
    const QByteArray Data = Path.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive)
                                ? TapeCsv(Calculations)
                                : TapeText(Calculations).toUtf8();
    // Written next to the file and renamed over it: an old file stays whole
    // when writing fails.
    QSaveFile File(Path);
    if (!File.open(QIODevice::WriteOnly))
        return File.errorString();
    if (File.write(Data) != Data.size()) {
        const QString Reason = File.errorString();
        File.cancelWriting();
        return Reason;
    }
    if (!File.commit())
        return File.errorString();
    return QString();
}

// ---- Printing ----

QFont TapeFigureFont(const QFont &Font, QPaintDevice *Device)
{
    QFont Figures = Font;
#if QT_VERSION >= QT_VERSION_CHECK(6, 7, 0)
    Figures.setFeature(QFont::Tag("tnum"), 1);
#endif
    const auto EqualDigits = [Device](const QFont &F) {
        const QFontMetricsF Metrics(F, Device);
        const qreal Zero = Metrics.horizontalAdvance(u'0');
        for (char16_t Digit = u'1'; Digit <= u'9'; ++Digit)
            if (std::abs(Metrics.horizontalAdvance(QChar(Digit)) - Zero) > Zero / 100)
                return false;
        return Zero > 0;
    };
    if (EqualDigits(Figures))
        return Figures;
    QFont Fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    if (Font.pointSizeF() > 0)
        Fixed.setPointSizeF(Font.pointSizeF());
    else if (Font.pixelSize() > 0)
        Fixed.setPixelSize(Font.pixelSize());
    Fixed.setWeight(Font.weight());
    Fixed.setItalic(Font.italic());
    return Fixed;
}

void PrintTape(QPrinter &Printer, const QList<TBrixTapeCalculation> &Calculations,
               const QFont &Font)
{
    QPainter Painter;
    if (!Painter.begin(&Printer))
        return;

    // Font's family at a size for paper (a pixel size counts at 96 dpi).
    qreal Points = Font.pointSizeF() > 0 ? Font.pointSizeF() : Font.pixelSize() * 72.0 / 96.0;
    Points = std::clamp(Points, 8.0, 12.0);
    QFont Base = Font;
    Base.setPointSizeF(Points);
    Base.setBold(false);
    Base.setItalic(false);
    TPrintFonts Fonts;
    Fonts.Text = Base;
    Fonts.Numbers = TapeFigureFont(Base, &Printer);
    Fonts.Total = Fonts.Numbers;
    Fonts.Total.setBold(true);
    Fonts.Edited = Fonts.Numbers;
    Fonts.Edited.setItalic(true);

    std::vector<TPrintItem> Items;
    for (const QList<TBrixTapeRow> &Rows : RowsOf(Calculations)) {
        if (!Items.empty())
            Items.push_back({TPrintItem::piRule, {}});
        for (const TBrixTapeRow &Row : Rows)
            Items.push_back({TPrintItem::piRow, Row});
    }

    const QFontMetricsF TextMetrics(Fonts.Text, &Printer);
    const qreal LineHeight =
        std::max(TextMetrics.lineSpacing(), QFontMetricsF(Fonts.Total, &Printer).lineSpacing()) *
        1.25;
    const qreal RuleHeight = LineHeight / 2;
    const qreal PageWidth = Printer.width();
    const qreal PageHeight = Printer.height();
    const qreal Gap = TextMetrics.horizontalAdvance(u' ');
    const qreal MarkWidth = TextMetrics.horizontalAdvance(EditedMark + u' ');
    const qreal Thin = std::max<qreal>(1, Printer.resolution() / 144.0); // half a point

    // The columns: the numbers right-aligned, the operators after them.
    qreal NumberWidth = 0;
    qreal OperatorWidth = 0;
    for (const TPrintItem &Item : Items) {
        if (Item.Kind != TPrintItem::piRow || !HasNumberColumn(Item.Row))
            continue;
        NumberWidth = std::max(NumberWidth, QFontMetricsF(NumberFontOf(Fonts, Item.Row), &Printer)
                                                .horizontalAdvance(Item.Row.Number));
        OperatorWidth = std::max(OperatorWidth, TextMetrics.horizontalAdvance(Item.Row.Operator));
    }
    const qreal NumberRight =
        std::max(PageWidth / 3, std::min(MarkWidth + NumberWidth, PageWidth - Gap - OperatorWidth));
    const qreal TapeRight = std::min(PageWidth, NumberRight + Gap + OperatorWidth);

    // Pages: the body starts under the header line; a rule between
    // calculations never starts a page.
    const qreal BodyTop = LineHeight * 1.5;
    std::vector<std::vector<const TPrintItem *>> Pages(1);
    qreal Y = BodyTop;
    for (const TPrintItem &Item : Items) {
        const qreal Height = Item.Kind == TPrintItem::piRule ? RuleHeight : LineHeight;
        if (Y + Height > PageHeight && !Pages.back().empty()) {
            if (Item.Kind == TPrintItem::piRule)
                continue;
            Pages.emplace_back();
            Y = BodyTop;
        }
        Pages.back().push_back(&Item);
        Y += Height;
    }

    const QString Title = QGuiApplication::applicationDisplayName();
    const QString Date = QLocale().toString(QDateTime::currentDateTime(), QLocale::ShortFormat);
    const QPen Ink(Qt::black, Thin);
    for (size_t P = 0; P < Pages.size(); ++P) {
        if (P > 0)
            Printer.newPage();
        Painter.setPen(Ink);
        Painter.setFont(Fonts.Text);
        const QRectF Header(0, 0, PageWidth, LineHeight);
        Painter.drawText(Header, Qt::AlignLeft | Qt::AlignVCenter,
                         Title.isEmpty() ? Date : Title + QStringLiteral("  ") + Date);
        Painter.drawText(Header, Qt::AlignRight | Qt::AlignVCenter,
                         QStringLiteral("%1/%2").arg(P + 1).arg(Pages.size()));

        Y = BodyTop;
        for (const TPrintItem *Item : Pages[P]) {
            if (Item->Kind == TPrintItem::piRule) {
                Painter.drawLine(QPointF(0, Y + RuleHeight / 2),
                                 QPointF(TapeRight, Y + RuleHeight / 2));
                Y += RuleHeight;
                continue;
            }
            const TBrixTapeRow &Row = Item->Row;
            const QRectF Line(0, Y, PageWidth, LineHeight);
            Y += LineHeight;
            if (Row.Number.isEmpty() || Row.Kind == lkError) {
                // A text alone, or an error: in the number column when it
                // fits, else from the left.
                const QString Shown = Row.Number.isEmpty() ? Row.Operator : Row.Number;
                const bool Error = Row.Kind == lkError;
                Painter.setFont(Error ? Fonts.Total : Fonts.Text);
                const QFontMetricsF Metrics(Painter.font(), &Printer);
                QRectF Room = Line;
                if (Metrics.horizontalAdvance(Shown) <= NumberRight)
                    Room.setRight(NumberRight);
                Painter.drawText(Room, Qt::AlignRight | Qt::AlignVCenter,
                                 Metrics.elidedText(Shown, Qt::ElideRight, Room.width()));
                continue;
            }
            const QFont NumberFont = NumberFontOf(Fonts, Row);
            const QFontMetricsF Metrics(NumberFont, &Printer);
            const QString Shown =
                Metrics.elidedText(Row.Number, Qt::ElideLeft, NumberRight - MarkWidth);
            const qreal NumberLeft = NumberRight - Metrics.horizontalAdvance(Shown);
            Painter.setFont(NumberFont);
            Painter.drawText(QRectF(0, Line.top(), NumberRight, LineHeight),
                             Qt::AlignRight | Qt::AlignVCenter, Shown);
            if (Row.Kind == lkResult)
                Painter.drawLine(QPointF(NumberLeft, Line.top() + Thin),
                                 QPointF(NumberRight, Line.top() + Thin));
            Painter.setFont(Fonts.Text);
            if (Row.Edited)
                Painter.drawText(QRectF(NumberLeft - MarkWidth, Line.top(), MarkWidth, LineHeight),
                                 Qt::AlignLeft | Qt::AlignVCenter, EditedMark);
            if (!Row.Operator.isEmpty()) {
                const QRectF Room(NumberRight + Gap, Line.top(),
                                  std::max<qreal>(0, PageWidth - NumberRight - Gap), LineHeight);
                Painter.drawText(
                    Room, Qt::AlignLeft | Qt::AlignVCenter,
                    TextMetrics.elidedText(Row.Operator, Qt::ElideRight, Room.width()));
            }
        }
    }
    Painter.end();
}

} // namespace Brix
