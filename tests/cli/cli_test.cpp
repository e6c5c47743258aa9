// The command-line calculator end to end: the real program, run with
// arguments and standard input, its output and exit status checked.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

namespace {

struct CliRun
{
    int Status = -1;
    QString Out, Err;
};

CliRun Cli(const QStringList &Args, const QByteArray &Input = {})
{
    QProcess P;
    P.setProgram(QStringLiteral(LUMO_CLI_PATH));
    // Separators are fixed so results do not depend on the user's locale.
    P.setArguments(QStringList{"--decimal-separator=.", "--thousand-separator=,"} + Args);
    P.start();
    P.write(Input);
    P.closeWriteChannel();
    P.waitForFinished(30000);
    return {P.exitCode(), QString::fromUtf8(P.readAllStandardOutput()),
            QString::fromUtf8(P.readAllStandardError())};
}

QJsonObject Json(const QStringList &Args)
{
    const CliRun R = Cli(QStringList{"--json"} + Args);
    QJsonParseError E;
    const auto Doc = QJsonDocument::fromJson(R.Out.toUtf8(), &E);
    EXPECT_EQ(E.error, QJsonParseError::NoError) << R.Out.toStdString();
    return Doc.object();
}

} // namespace

TEST(Cli, PlainOutputIsTheDisplayAfterTheKeys)
{
    struct Row
    {
        const char *Name;
        QStringList Args;
        QString Out;
    } Rows[] = {
        {"precedence", {"2", "+", "3", "*", "4", "="}, "14.0000\n"},
        {"no precedence", {"--precedence=off", "2", "+", "3", "*", "4", "="}, "20.0000\n"},
        {"postfix sine in degrees", {"--prefix=off", "--angle=deg", "30", "sin"}, "0.5000\n"},
        {"decimals option", {"--decimals=2", "1", "/", "3", "="}, "0.33\n"},
        {"words any case", {"--prefix=off", "PI", "X^2", "SQRT"}, "3.1416\n"},
        {"value token", {"value:-1e3", "+", "1", "="}, "-999.0000\n"},
        {"no keys on stdin", {}, ""},
        // Keys written together.
        {"compact precedence", {"2+3*4="}, "14.0000\n"},
        {"compact brackets", {"(1+2)*3="}, "9.0000\n"},
        {"blanks inside an argument", {"2 + 3 ="}, "5.0000\n"},
        {"exponent", {"2e3+1="}, "2001.0000\n"},
        {"negative exponent", {"--decimals=6", "2E-3*1="}, "0.002000\n"},
        {"lone e is the constant", {"2*e="}, "5.4366\n"},
        {"key words, any case", {"SQRT9+1="}, "4.0000\n"},
        {"longest word first", {"4", "1/x"}, "0.2500\n"},
        {"m+ stays whole", {"5m+", "c", "mr"}, "5.0000\n"},
        {"leading minus is a key", {"-3+2="}, "-1.0000\n"},
        // Pasted numbers, read with the run's separators.
        {"pasted number", {"paste:$1,234.5", "*2="}, "2469.0000\n"},
        {"pasted in a comma region",
         {"--decimal-separator=,", "--thousand-separator=.", "paste:1.234", "*2="},
         "2468,0000\n"},
    };
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Name);
        const CliRun Got = Cli(R.Args);
        EXPECT_EQ(Got.Out, R.Out);
        EXPECT_EQ(Got.Status, 0) << Got.Err.toStdString();
    }
}

TEST(Cli, DivisionByZeroInJson)
{
    const QJsonObject J = Json({"--prefix=off", "5", "/", "0", "="});
    EXPECT_EQ(J["display"].toString(), "Error!");
    EXPECT_EQ(J["lastError"].toString(), "Division by Zero");
    EXPECT_EQ(J["tape"].toArray(), QJsonArray({"- - - - ERROR - - - -", "=", "Error!"}));
    EXPECT_EQ(J["events"].toObject()["error"].toInt(), 1);
    EXPECT_EQ(J["uncaught"].toArray(), QJsonArray());
}

TEST(Cli, JsonShowsStacksTogglesAndCounts)
{
    const QJsonObject J = Json({"--memory-history", "12", "m+", "3", "*", "inv"});
    // The recalled result stays below the new operand until equals.
    EXPECT_EQ(J["operands"].toArray(), QJsonArray({"12", "3"}));
    EXPECT_EQ(J["operators"].toString(), "*");
    EXPECT_TRUE(J["inv"].toBool());
    EXPECT_FALSE(J["hyp"].toBool());
    EXPECT_EQ(J["lastCh"].toString(), "*");
    EXPECT_EQ(J["memory"].toString(), "12.0000");
    EXPECT_EQ(J["angleMode"].toString(), "rad");
    EXPECT_EQ(J["tape"].toArray(), QJsonArray({"12.0000", "M+", "[M: 12.0000 ]", "3.0000", "*"}));
    const QJsonObject Ev = J["events"].toObject();
    EXPECT_EQ(Ev["memory"].toInt(), 1);
    EXPECT_EQ(Ev["setToggles"].toInt(), 1);
    EXPECT_EQ(Ev["history"].toInt(), 5);
}

TEST(Cli, TraceShowsEveryToken)
{
    // Keys written together are traced one by one.
    for (const QStringList &Keys : {QStringList{"12", "+", "3", "="}, QStringList{"12+3="}}) {
        const CliRun R = Cli(QStringList{"--trace"} + Keys);
        EXPECT_EQ(R.Out, "12\t12\n+\t12.0000\n3\t3\n=\t15.0000\n");
    }
}

TEST(Cli, StandardInputRunsAndShowsALineAtATime)
{
    struct Row
    {
        const char *Name;
        QByteArray Input;
        QString Out;
        int Status;
        QStringList InErr; // each must appear on standard error
    } Rows[] = {
        {"one engine across the lines", "2 + 3\n* 4\n=\n", "3\n4\n14.0000\n", 0, {}},
        {"a result per line", "2 + 2 =\n3 * 3 =\n", "4.0000\n9.0000\n", 0, {}},
        {"blank lines skipped, CRLF read", "\n  \n1+1=\r\n", "2.0000\n", 0, {}},
        {"an error line and the next",
         "5 / 0 =\n2 + 2 =\n",
         "Error!\n4.0000\n",
         1,
         {"line 1: Division by Zero"}},
        {"a usage error line is skipped",
         "1 + zork\n5/0=\n7 +/-\n",
         "Error!\n-7\n",
         2,
         {"line 1", "zork", "column 5", "line 2: Division by Zero"}},
    };
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Name);
        const CliRun Got = Cli({}, R.Input);
        EXPECT_EQ(Got.Out, R.Out);
        EXPECT_EQ(Got.Status, R.Status);
        for (const QString &Part : R.InErr)
            EXPECT_TRUE(Got.Err.contains(Part)) << Got.Err.toStdString();
        if (R.InErr.isEmpty()) {
            EXPECT_EQ(Got.Err, "");
        }
    }
}

TEST(Cli, ErrorStateGivesItsReasonAndStatusOne)
{
    const CliRun R = Cli({"1", "/", "0", "="});
    EXPECT_EQ(R.Out, "Error!\n");
    EXPECT_EQ(R.Err, "Division by Zero\n");
    EXPECT_EQ(R.Status, 1);
    // Cleared again before the end: no error to report.
    EXPECT_EQ(Cli({"1/0=", "ac"}).Status, 0);
}

TEST(Cli, ShortHelpIsTheHelp)
{
    const CliRun Short = Cli({"-h"}), Long = Cli({"--help"});
    EXPECT_EQ(Short.Status, 0);
    EXPECT_TRUE(Short.Out.startsWith("Usage: lumopocketo-cli")) << Short.Out.toStdString();
    EXPECT_EQ(Short.Out, Long.Out);
}

TEST(Cli, UncaughtErrorGoesOnAndExitsWithOne)
{
    // Percent without binary percent is outside the engine's guard: an
    // overflow reaches the caller, which reports it and carries on.
    const CliRun R = Cli({"value:1e4900", "*", "value:1e4900", "%", "ac", "7"});
    EXPECT_EQ(R.Status, 1);
    EXPECT_TRUE(R.Err.startsWith("error: ")) << R.Err.toStdString();
    EXPECT_EQ(R.Out, "7\n");
}

TEST(Cli, UsageErrorsNameTheCulpritAndEvaluateNothing)
{
    struct Row
    {
        const char *Name;
        QStringList Args;
        QByteArray Input;
        QString Named;
    } Rows[] = {
        {"unknown token", {"2", "+", "frob"}, {}, "frob"},
        {"bad decimals", {"--decimals=300", "1"}, {}, "--decimals"},
        {"unknown option", {"--colour", "1"}, {}, "--colour"},
        {"bad angle", {"--angle=turns"}, {}, "--angle"},
        {"bad language", {"--language=Klingon"}, {}, "--language"},
        {"bad dp token", {"dp:999"}, {}, "dp:999"},
        {"bad value token", {"value:abc"}, {}, "value:abc"},
        {"infinite value token", {"value:inf"}, {}, "value:inf"},
        {"bad token on stdin", {}, "1 + zork\n", "zork"},
        {"paste of no number", {"1", "+", "paste:hello"}, {}, "'paste:hello'"},
        {"paste beyond the range", {"paste:1e5000"}, {}, "'paste:1e5000'"},
        {"word that does not split", {"2+x"}, {}, "'2+x' at column 3"},
        {"bad word after good ones", {"1", "+", "2", "=", "2/y"}, {}, "2/y"},
        {"separators equal",
         {"--decimal-separator=,", "1.5", "+", "1", "="},
         {},
         "--decimal-separator and --thousand-separator"},
        {"separators equal, other way",
         {"--thousand-separator=.", "1"},
         {},
         "--thousand-separator"},
    };
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Name);
        const CliRun Got = Cli(R.Args, R.Input);
        EXPECT_EQ(Got.Status, 2);
        EXPECT_TRUE(Got.Err.contains(R.Named)) << Got.Err.toStdString();
        EXPECT_EQ(Got.Out, "");
    }
}
