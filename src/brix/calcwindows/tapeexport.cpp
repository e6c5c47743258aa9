#include "brix/calcwindows/tapeexport.h"

#include "brix/calcwindows/taperowpainter.h"
#include "brix/calcwindows/tapeview.h"
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

namespace {

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

QByteArray CsvLine(const QStringList &Fields)
{
    QByteArray Line;
    for (qsizetype I = 0; I < Fields.size(); ++I) {
        if (I > 0)
            Line += ',';
        Line += CsvField(Fields[I]);
    }
    return Line + "\r\n";
}

} // namespace

// ---- Text ----

QString TapeText(const QList<TBrixTapeCalculation> &Calculations)
{
    return TapeRowsText(RowsOf(Calculations));
}

// ---- CSV ----

QByteArray TapeCsv(const QList<TBrixTapeCalculation> &Calculations)
{
    QByteArray Csv =
        CsvLine({QStringLiteral("operator"), QStringLiteral("number"), QStringLiteral("result"),
                 QStringLiteral("calculation"), QStringLiteral("error"), QStringLiteral("edited")});
    const QList<QList<TBrixTapeRow>> All = RowsOf(Calculations);
    for (qsizetype C = 0; C < All.size(); ++C) {
        const QString Calculation = QString::number(C + 1);
        for (const TBrixTapeRow &Row : All[C]) {
            if (Row.Operator == TapeRule)
                continue;
            const QString Edited = Row.Edited ? QStringLiteral("1") : QStringLiteral("0");
            const QString Value = StoredFloatText(Row.Value, 18, u'.');
            switch (Row.Kind) {
            case lkNumber:
                Csv += CsvLine({TapeAsciiOperator(Row), Value, {}, Calculation, {}, Edited});
                break;
            case lkResult:
                Csv += CsvLine({TapeAsciiOperator(Row), {}, Value, Calculation, {}, Edited});
                break;
            case lkError:
                Csv += CsvLine({TapeAsciiOperator(Row), {}, {}, Calculation, Row.Number, Edited});
                break;
            case lkText:
            case lkOperator:
                Csv += CsvLine({TapeAsciiOperator(Row), {}, {}, Calculation, {}, Edited});
                break;
            }
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

namespace {

// Where PrintTape puts a row (or the rule before a calculation: no row) on
// its page.
struct TPlacedRow
{
    const TBrixTapeRow *Row;
    int Column;
    qreal Top;
};

} // namespace

int PrintTape(QPrinter &Printer, const QList<TBrixTapeCalculation> &Calculations, const QFont &Font)
{
    QPainter Painter;
    if (!Painter.begin(&Printer))
        return 0;

    // Font's family at a size for paper (a pixel size counts at 96 dpi).
    qreal Points = Font.pointSizeF() > 0 ? Font.pointSizeF() : Font.pixelSize() * 72.0 / 96.0;
    Points = std::clamp(Points, 8.0, 10.0);
    QFont Base = Font;
    Base.setPointSizeF(Points);
    Base.setBold(false);
    Base.setItalic(false);
    TBrixTapeRowPainter Rows(TapeFigureFont(Base, &Printer), &Printer);
    const qreal Resolution = Printer.resolution();
    Rows.SetLeading(QFontMetricsF(Rows.Font(), &Printer).height() / 5);
    Rows.SetRuleWidth(std::max<qreal>(1, Resolution / 144.0)); // half a point
    const qreal RowHeight = Rows.RowHeight();
    const qreal RuleHeight = RowHeight / 2;

    // The body: the printable area, and at least 10 mm from the paper's edge.
    const qreal Least = Resolution * 10 / 25.4;
    const QMarginsF Printed = Printer.fullPage()
                                  ? QMarginsF()
                                  : QMarginsF(Printer.pageLayout().marginsPixels(int(Resolution)));
    const auto Inset = [Least](qreal Margin) { return std::max<qreal>(0, Least - Margin); };
    const QRectF Page(0, 0, Printer.width(), Printer.height());
    const QRectF Inner = Page.adjusted(Inset(Printed.left()), Inset(Printed.top()),
                                       -Inset(Printed.right()), -Inset(Printed.bottom()));
    const qreal HeaderHeight = RowHeight * 1.5;
    const QRectF Body = Inner.adjusted(0, HeaderHeight, 0, 0);

    // The columns: as wide as the widest number with its mark and operator
    // (or a text alone, up to a quarter of the page), side by side.
    const QList<QList<TBrixTapeRow>> All = RowsOf(Calculations);
    qreal NumberWidth = 0, OperatorWidth = 0, TextWidth = 0;
    for (const QList<TBrixTapeRow> &Calculation : All)
        for (const TBrixTapeRow &Row : Calculation) {
            NumberWidth =
                std::max(NumberWidth, Rows.NumberWidth(Row) + (Row.Edited ? Rows.MarkWidth() : 0));
            OperatorWidth = std::max(OperatorWidth, Rows.OperatorWidth(Row));
            TextWidth = std::max(TextWidth, Rows.TextWidth(Row));
        }
    const qreal ColumnWidth =
        std::min(Body.width(), std::ceil(std::max(NumberWidth + Rows.Gap() + OperatorWidth,
                                                  std::min(TextWidth, Body.width() / 4))));
    const qreal Gutter = 4 * Rows.Gap();
    const int Columns =
        std::max(1, int(std::floor((Body.width() + Gutter) / (ColumnWidth + Gutter))));

    // Rows into columns, columns into pages.
    std::vector<std::vector<TPlacedRow>> Pages(1);
    int Column = 0;
    qreal Top = Body.top();
    const auto NextColumn = [&] {
        if (++Column == Columns) {
            Pages.emplace_back();
            Column = 0;
        }
        Top = Body.top();
    };
    for (const QList<TBrixTapeRow> &Calculation : All) {
        const bool First = &Calculation == &All.first();
        const qreal Height = RuleHeight + Calculation.size() * RowHeight;
        // A calculation that fits in a column is not broken.
        if (Top > Body.top() && Top + Height > Body.bottom() && Height <= Body.height())
            NextColumn();
        // The rule between calculations, but at a column's top.
        if (!First && Top > Body.top()) {
            Pages.back().push_back({nullptr, Column, Top});
            Top += RuleHeight;
        }
        for (const TBrixTapeRow &Row : Calculation) {
            if (Top > Body.top() && Top + RowHeight > Body.bottom())
                NextColumn();
            Pages.back().push_back({&Row, Column, Top});
            Top += RowHeight;
        }
    }

    const QString Title = QGuiApplication::applicationDisplayName();
    const QString Date = QLocale().toString(QDateTime::currentDateTime(), QLocale::ShortFormat);
    QPalette Paper;
    Paper.setColor(QPalette::Base, Qt::white);
    Paper.setColor(QPalette::Text, Qt::black);
    const QColor Ink(Qt::black);
    const QColor ErrorInk = TBrixTapeView::ErrorColor(Paper);
    for (size_t P = 0; P < Pages.size(); ++P) {
        if (P > 0)
            Printer.newPage();
        Painter.setPen(Ink);
        Painter.setFont(Base);
        const QRectF Header(Inner.left(), Inner.top(), Inner.width(), RowHeight);
        Painter.drawText(Header, Qt::AlignLeft | Qt::AlignVCenter,
                         Title.isEmpty() ? Date : Title + QStringLiteral("  ") + Date);
        Painter.drawText(Header, Qt::AlignRight | Qt::AlignVCenter,
                         QStringLiteral("%1/%2").arg(P + 1).arg(Pages.size()));

        for (const TPlacedRow &Placed : Pages[P]) {
            const qreal Left = Body.left() + Placed.Column * (ColumnWidth + Gutter);
            if (!Placed.Row) {
                Painter.setPen(QPen(Ink, Rows.RuleWidth()));
                const qreal Y = Placed.Top + RuleHeight / 2;
                Painter.drawLine(QPointF(Left, Y), QPointF(Left + ColumnWidth, Y));
                continue;
            }
            const QRectF Area(Left, Placed.Top, ColumnWidth, RowHeight);
            Rows.Paint(Painter, Area, Rows.NumberRight(Area, OperatorWidth), *Placed.Row,
                       Placed.Row->Kind == lkError ? ErrorInk : Ink);
        }
    }
    Painter.end();
    return int(Pages.size());
}

} // namespace Brix
