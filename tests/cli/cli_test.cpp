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

TEST(Cli, PlainOutputIsTheFinalDisplay)
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
        {"no keys on stdin", {}, "0\n"},
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
    const CliRun R = Cli({"--trace", "12", "+", "3", "="});
    EXPECT_EQ(R.Out, "12\t12\n+\t12.0000\n3\t3\n=\t15.0000\n");
}

TEST(Cli, KeysFromStandardInput)
{
    const CliRun R = Cli({}, "2 + 3\n* 4\n=\n");
    EXPECT_EQ(R.Out, "14.0000\n");
    EXPECT_EQ(R.Status, 0);
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
    };
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Name);
        const CliRun Got = Cli(R.Args, R.Input);
        EXPECT_EQ(Got.Status, 2);
        EXPECT_TRUE(Got.Err.contains(R.Named)) << Got.Err.toStdString();
        EXPECT_EQ(Got.Out, "");
    }
}
