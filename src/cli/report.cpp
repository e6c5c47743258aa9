#include "report.h"

#include "brix/calculator/engine.h"
#include "brix/strings/tools.h"

using namespace Brix;

namespace LumoCli {

namespace {

using E = TBrixCalcEngine;

QString AngleModeName(TBrixAngleMode Mode)
{
    switch (Mode) {
    case amDegrees:
        return QStringLiteral("deg");
    case amGradiants:
        return QStringLiteral("gra");
    default:
        return QStringLiteral("rad");
    }
}

QString JsonString(const QString &S)
{
    QString Out = QStringLiteral("\"");
    for (QChar Ch : S) {
        switch (Ch.unicode()) {
        case '"':
            Out += QLatin1String("\\\"");
            break;
        case '\\':
            Out += QLatin1String("\\\\");
            break;
        case '\n':
            Out += QLatin1String("\\n");
            break;
        case '\r':
            Out += QLatin1String("\\r");
            break;
        case '\t':
            Out += QLatin1String("\\t");
            break;
        default:
            if (Ch.unicode() < 0x20 || Ch.isSurrogate())
                Out += QStringLiteral("\\u%1").arg(Ch.unicode(), 4, 16, QLatin1Char('0'));
            else
                Out += Ch;
        }
    }
    return Out + u'"';
}

QString JsonList(const QStringList &Items)
{
    QStringList Quoted;
    for (const QString &S : Items)
        Quoted << JsonString(S);
    return u'[' + Quoted.join(u',') + u']';
}

} // namespace

void CountEvents(E &En, EventCounts &C)
{
    auto Counter = [](int &N) { return [&N](TObject *) { ++N; }; };
    En.SetOnDisplayChange(Counter(C.Display));
    En.SetOnHistoryChange(Counter(C.History));
    En.SetOnMemoryChange(Counter(C.Memory));
    En.SetOnError(Counter(C.Error));
    En.SetOnSetToggles(Counter(C.SetToggles));
    En.SetOnClearToggles(Counter(C.ClearToggles));
    En.SetOnAngleModeChange(Counter(C.AngleMode));
    En.SetOnDecimalPlacesChange(Counter(C.DecimalPlaces));
    En.SetOnLanguageChange([&C](TObject *, TBrixLanguage &) { ++C.Language; });
}

QString JsonReport(E &En, const QStringList &Tape, const QString &LastError, const EventCounts &C,
                   const QStringList &Uncaught)
{
    QStringList Operands;
    for (Extended V : En.OperandStackContents())
        Operands << ExactFloatText(V);
    auto Bool = [](bool B) { return B ? QStringLiteral("true") : QStringLiteral("false"); };
    QStringList M;
    M << "\"display\":" + JsonString(En.GetDisplayStr());
    M << "\"memory\":" + JsonString(En.GetMemoryContents());
    M << "\"lastError\":" + JsonString(LastError);
    M << "\"tape\":" + JsonList(Tape);
    // No value while the display shows an error: the 0 behind it is none.
    const bool Failed = En.GetDisplayStr() == En.GetName(ectErrorMsg);
    M << "\"value\":" +
             (Failed ? QStringLiteral("null") : JsonString(ExactFloatText(En.GetAsFloat())));
    M << "\"angleMode\":" + JsonString(AngleModeName(En.AngleMode()));
    M << "\"inv\":" + Bool(En.IsInv());
    M << "\"hyp\":" + Bool(En.IsHyp());
    M << "\"lastCh\":" + JsonString(QString(En.LastCh()));
    M << "\"operands\":" + JsonList(Operands);
    M << "\"operators\":" + JsonString(En.OperatorStackText());
    M << QStringLiteral("\"events\":{\"display\":%1,\"history\":%2,\"memory\":%3,\"error\":%4,"
                        "\"setToggles\":%5,\"clearToggles\":%6,\"angleMode\":%7,"
                        "\"decimalPlaces\":%8,\"language\":%9}")
             .arg(C.Display)
             .arg(C.History)
             .arg(C.Memory)
             .arg(C.Error)
             .arg(C.SetToggles)
             .arg(C.ClearToggles)
             .arg(C.AngleMode)
             .arg(C.DecimalPlaces)
             .arg(C.Language);
    M << "\"uncaught\":" + JsonList(Uncaught);
    return u'{' + M.join(u',') + u'}';
}

} // namespace LumoCli
