// The command-line calculator end to end: the real program, run with
// arguments and standard input, its output and exit status checked.
#include <gtest/gtest.h>

#include <functional>

#include <QElapsedTimer>
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

// Runs the program. Without a region its separators are fixed, so results
// do not depend on the user's locale; with one (a LANG value such as
// "de_DE.UTF-8") it follows that region's.
CliRun Cli(const QStringList &Args, const QByteArray &Input = {}, const QString &Region = {})
{
    QProcess P;
    P.setProgram(QStringLiteral(LUMO_CLI_PATH));
    if (Region.isEmpty()) {
        P.setArguments(QStringList{"--decimal-separator=.", "--thousand-separator=,"} + Args);
    } else {
        QProcessEnvironment Env = QProcessEnvironment::systemEnvironment();
        for (const char *Name : {"LC_ALL", "LC_NUMERIC", "LANGUAGE"})
            Env.remove(QString::fromLatin1(Name));
        Env.insert(QStringLiteral("LANG"), Region);
        P.setProcessEnvironment(Env);
        P.setArguments(Args);
    }
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
        {"longest word first", {"4", "1/x"}, "0.2500\n"},
        // The display ends at the value's 18 significant digits.
        {"18 places, 18 digits", {"--decimals=18", "1/7*1000000="}, "142857.142857142857\n"},
        {"18 places, zeroes within the digits",
         {"--decimals=18", "1/4="},
         "0.250000000000000000\n"},
        {"18 places, no decimal known",
         {"--decimals=18", "123456789012*1000000+1/3="},
         "123456789012000000\n"},
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
    // No value behind an error: not the 0 the engine reads.
    EXPECT_TRUE(J["value"].isNull());
    EXPECT_TRUE(Json({"1/0="})["value"].isNull());
}

// The value and the operands are written by the exact number codec: every
// digit, beyond the double range too, and value: reads them back unchanged.
TEST(Cli, JsonNumbersKeepEveryBit)
{
    const QJsonObject J = Json({"1e300*1e300", "+", "(", "1/3", "+"});
    EXPECT_EQ(J["operands"].toArray(), QJsonArray({"1E+600", "0.33333333333333333334"}));
    EXPECT_EQ(J["value"].toString(), "0.33333333333333333334");
    for (const char *Text : {"1E+600", "-4E-4951", "1.189731495357231765E+4932", "-0"}) {
        const QJsonObject Back = Json({QStringLiteral("value:") + QString::fromLatin1(Text)});
        EXPECT_EQ(Back["value"].toString(), QString::fromLatin1(Text));
    }
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

TEST(Cli, JsonTextsShowNoDigitPastTheEighteenth)
{
    const QJsonObject J = Json(
        {"--decimals=18", "--memory-history", "--formatter", "--thousands", "1/7*1000000=", "m+"});
    const QString Text = QStringLiteral("142,857.142857142857");
    EXPECT_EQ(J["display"].toString(), Text);
    EXPECT_EQ(J["memory"].toString(), Text);
    const QJsonArray Tape = J["tape"].toArray();
    EXPECT_TRUE(Tape.contains(Text));
    EXPECT_TRUE(Tape.contains(QStringLiteral("[M: %1 ]").arg(Text)))
        << QJsonDocument(Tape).toJson().toStdString();
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
        // A line break enters the number being typed; the calculation goes on.
        {"one engine across the lines", "2 + 3\n* 4\n=\n", "3.0000\n4.0000\n14.0000\n", 0, {}},
        {"a line break ends the number", "1\n2\n3\n", "1.0000\n2.0000\n3.0000\n", 0, {}},
        {"an operator at the line end waits", "2+\n3=\n", "2.0000\n5.0000\n", 0, {}},
        {"the next line's operator takes the entered number",
         "12\n+3=\n",
         "12.0000\n15.0000\n",
         0,
         {}},
        {"an unfinished exponent and a lone point", "2 exp\n.\n", "2.0000\n0.0000\n", 0, {}},
        {"a tiny number is zero", "1e-5000\n", "0.0000\n", 0, {}},
        {"a tiny number written out is zero, as an operator takes it",
         "0." + QByteArray(5000, '0') + "1\n",
         "0.0000\n",
         0,
         {}},
        {"a number beyond the range is an overflow, not zero",
         "-1e5000\n",
         "Error!\n",
         1,
         {"line 1: Floating point overflow"}},
        {"a result per line", "2 + 2 =\n3 * 3 =\n", "4.0000\n9.0000\n", 0, {}},
        {"blank lines skipped, CRLF read", "\n  \n1+1=\r\n", "2.0000\n", 0, {}},
        {"an error line and the next",
         "5 / 0 =\n2 + 2 =\n",
         "Error!\n4.0000\n",
         1,
         {"line 1: Division by Zero"}},
        {"a usage error line is skipped",
         "1 + zork\n5/0=\n7 +/-\n",
         "Error!\n-7.0000\n",
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
    EXPECT_EQ(Cli({"1/0=", "c", "2"}).Status, 0);
    // An error that later keys went past still fails the line: the number
    // shown is not the result of the keys.
    for (const auto &[Keys, Err] :
         {std::pair{"1/0+1=", "Division by Zero, then Invalid Equation\n"},
          std::pair{"1e5000+1=",
                    "Floating point overflow (before the last key: the number shown is "
                    "not the result)\n"}}) {
        const CliRun Past = Cli({Keys});
        EXPECT_EQ(Past.Status, 1) << Keys;
        EXPECT_EQ(Past.Err, Err) << Keys;
    }
    const CliRun Line = Cli({}, "1/0+1=\n2+2=\n");
    EXPECT_EQ(Line.Err.section(u'\n', 0, 0), "line 1: Division by Zero, then Invalid Equation");
    EXPECT_FALSE(Line.Err.contains("line 2")) << Line.Err.toStdString();
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

TEST(Cli, KeysWrittenTogether)
{
    // A word of keys written together means what it seems to, or it is a
    // usage error naming the word and the column. Region: a LANG value, or
    // empty for '.' and ',' given as options.
    struct Row
    {
        QStringList Args;
        QString Out;
        int Status = 0;
        QString Err = {}; // a part of the message on standard error
        QString Region = {};
    } Rows[] = {
        {{"2+3*4="}, "14.0000\n"},
        {{"(1+2)*3="}, "9.0000\n"},
        {{"2 + 3 ="}, "5.0000\n"},
        {{"2e3+1="}, "2001.0000\n"},
        {{"--decimals=6", "2E-3*1="}, "0.002000\n"},
        {{"2*e="}, "5.4366\n"},
        {{"2exp3="}, "2000.0000\n"},
        {{"SQRT9+1="}, "4.0000\n"},
        {{"5m+", "c", "mr"}, "5.0000\n"},
        {{"-3+2="}, "-1.0000\n"},
        {{"2*pi="}, "6.2832\n"},
        {{"2(3+1)=x"}, "", 2, "'2(3+1)=x' at column 2"},
        {{"2+x"}, "", 2, "unknown key in '2+x' at column 3"},
        // Two decimal separators, and one in an exponent.
        {{"1.2.3="}, "", 2, "a second decimal separator in '1.2.3=' at column 4"},
        {{"1.2.3"}, "", 2, "'1.2.3' at column 4"},
        {{"2e3.5="}, "", 2, "exponent in '2e3.5=' at column 4"},
        // A value directly followed by a key that starts a new one.
        {{"2pi"}, "", 2, "'pi' would replace the value before it in '2pi' at column 2"},
        {{"2e"}, "", 2, "'e' would replace the value before it in '2e' at column 2"},
        {{"2(3+1)="}, "", 2, "'(' would replace the value before it in '2(3+1)=' at column 2"},
        {{"2mr="}, "", 2, "'mr' would replace the value before it in '2mr=' at column 2"},
        {{"(1+2)3="}, "", 2, "'3' would replace the value before it in '(1+2)3=' at column 6"},
        {{"(1+2)(3+4)="}, "", 2, "'(1+2)(3+4)=' at column 6"},
        {{"pi2="}, "", 2, "'pi2=' at column 3"},
        {{"1+2invsin="},
         "",
         2,
         "'sin' would replace the value before it in '1+2invsin=' at column 7"},
        {{"1+2 pi="}, "4.1416\n"}, // blank-separated keys keep the pocket calculator's way
        {{"2", "pi"}, "3.1416\n"},
        // Functions before their number, unless prefix functions are off,
        // by option or by a token before the word.
        {{"sqrt9="}, "3.0000\n"},
        {{"9sqrt"}, "", 2, "'sqrt' would replace the value before it in '9sqrt' at column 2"},
        {{"--prefix=off", "9sqrt"}, "3.0000\n"},
        {{"prefix:off", "9sqrt"}, "3.0000\n"},
        {{"ac prefix:off\t9sqrt"}, "3.0000\n"},
        {{"--prefix=off", "prefix:on", "9sqrt"}, "", 2, "'9sqrt' at column 2"},
        {{"9invx^2"}, "", 2, "'x^2' would replace"}, // the inverse square is the square root
        {{"9x^2"}, "81.0000\n"},
        // The region's decimal separator in a number, as the program prints it.
        {{"3,0000*2="}, "6,0000\n", 0, {}, "de_DE.UTF-8"},
        {{"1.5*2="}, "3,0000\n", 0, {}, "de_DE.UTF-8"},
        {{"1.234"}, "1,234\n", 0, {}, "de_DE.UTF-8"},
        {{"1,5+2.5="},
         "",
         2,
         "both ',' and '.' as decimal separators in '1,5+2.5=' at column 6",
         "de_DE.UTF-8"},
        {{"1.234,5"}, "", 2, "'1.234,5' at column 6", "de_DE.UTF-8"},
        {{"1,2,3"}, "", 2, "a second decimal separator in '1,2,3' at column 4", "de_DE.UTF-8"},
        {{"1,5"}, "", 2, "unknown key in '1,5' at column 2", "C.UTF-8"},
        // One separator given alone takes the place of the region's other one.
        {{"--decimal-separator=.", "1.5*2="}, "3.0000\n", 0, {}, "de_DE.UTF-8"},
        {{"--decimal-separator=.", "--thousands", "1234.5="}, "1,234.5000\n", 0, {}, "de_DE.UTF-8"},
        {{"--thousand-separator=.", "1,5*2="}, "3,0000\n", 0, {}, "C.UTF-8"},
        {{"--decimal-separator=.", "--thousand-separator=.", "1"},
         "",
         2,
         "--thousand-separator",
         "de_DE.UTF-8"},
    };
    for (const Row &R : Rows) {
        SCOPED_TRACE((R.Args.join(u' ') + u' ' + R.Region).toStdString());
        const CliRun Got = Cli(R.Args, {}, R.Region);
        EXPECT_EQ(Got.Out, R.Out);
        EXPECT_EQ(Got.Status, R.Status);
        if (R.Err.isEmpty()) {
            EXPECT_EQ(Got.Err, "");
        } else {
            EXPECT_TRUE(Got.Err.contains(R.Err)) << Got.Err.toStdString();
        }
    }
}

TEST(Cli, WordsOnStandardInputFollowTheEngineSettings)
{
    // Each line is read with the settings the lines before it made.
    const CliRun R = Cli({}, "prefix:off\n9sqrt\nprefix:on\n9sqrt\n");
    EXPECT_EQ(R.Out, "0\n3.0000\n3.0000\n");
    EXPECT_EQ(R.Status, 2);
    EXPECT_TRUE(R.Err.contains("line 4: 'sqrt' would replace")) << R.Err.toStdString();
}

TEST(Cli, LongWordsSplitInLinearTime)
{
    // A long line of keys and a long number end in a key that does not
    // exist, so only the reading runs (the engine would take far longer); the
    // message names the word by its start. Each word is read at two lengths,
    // the second four times the first: linear reading takes about four times
    // as long, quadratic reading sixteen times.
    const auto Sum = [](int Keys) { return QByteArray("1+").repeated(Keys); };
    const auto Digits = [](int Count) { return QByteArray(Count, '7'); };
    for (const auto &Word :
         {std::function<QByteArray(int)>(Sum), std::function<QByteArray(int)>(Digits)}) {
        qint64 Nanoseconds[2] = {};
        for (int Size = 0; Size < 2; ++Size) {
            const QByteArray Text = Word(Size == 0 ? 500'000 : 2'000'000);
            QElapsedTimer T;
            T.start();
            const CliRun R = Cli({}, Text + "x\n");
            Nanoseconds[Size] = T.nsecsElapsed();
            EXPECT_EQ(R.Status, 2);
            EXPECT_TRUE(
                R.Err.contains(QStringLiteral("(%1 characters) at column %1").arg(Text.size() + 1)))
                << R.Err.left(200).toStdString();
        }
        EXPECT_LT(Nanoseconds[1], 10 * Nanoseconds[0])
            << Nanoseconds[0] / 1'000'000 << " ms, then " << Nanoseconds[1] / 1'000'000 << " ms";
    }
}

TEST(Cli, OutputThatCannotBeWrittenIsAnError)
{
    // Through a shell, which can close the standard output or ignore SIGPIPE.
    struct Row
    {
        const char *Name;
        QString Command; // $0 is the program
        int Status;      // -1: either, as long as nothing is said
        QString Err;     // a part of standard error; empty: nothing
    } Rows[] = {
        {"full disk", R"("$0" 1+1= >/dev/full)", 1, "cannot write the output: No space left"},
        {"closed", R"("$0" 1+1= >&-)", 1, "cannot write the output: Bad file descriptor"},
        {"trace", R"("$0" --trace 1+1= >/dev/full)", 1, "cannot write the output"},
        {"json", R"("$0" --json 1+1= >/dev/full)", 1, "cannot write the output"},
        {"help", R"("$0" --help >/dev/full)", 1, "cannot write the output"},
        {"version", R"("$0" --version >&-)", 1, "cannot write the output"},
        {"lines", R"(printf '1\n2\n' | "$0" >/dev/full)", 1, "cannot write the output"},
        {"an error shown as well", R"("$0" 1/0= >/dev/full)", 1, "Division by Zero"},
        {"usage error keeps 2", R"("$0" 2pi >&-)", 2, "2pi"},
        {"nothing to write", R"("$0" >&- </dev/null)", 0, ""},
        {"broken pipe is quiet", R"(trap '' PIPE; sleep 1 | "$0" 1+1= | true)", -1, ""},
    };
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Name);
        QProcess P;
        P.start(QStringLiteral("/bin/sh"), {"-c", R.Command, QStringLiteral(LUMO_CLI_PATH)});
        P.waitForFinished(30000);
        const QString Err = QString::fromUtf8(P.readAllStandardError());
        if (R.Status >= 0) {
            EXPECT_EQ(P.exitCode(), R.Status) << Err.toStdString();
        }
        if (R.Err.isEmpty()) {
            EXPECT_EQ(Err, "");
        } else {
            EXPECT_TRUE(Err.contains(R.Err)) << Err.toStdString();
        }
    }
}

TEST(Cli, ControlCharactersInMessagesAreEscaped)
{
    const CliRun Line = Cli({}, "\x1b[31mRED\n1\xc2\x9b\n");
    EXPECT_FALSE(Line.Err.contains(QChar(0x1b)));
    EXPECT_FALSE(Line.Err.contains(QChar(0x9b)));
    EXPECT_TRUE(Line.Err.contains("'\\x1b[31mRED' at column 1")) << Line.Err.toStdString();
    EXPECT_TRUE(Line.Err.contains("'1\\x9b' at column 2")) << Line.Err.toStdString();
    const CliRun Arg = Cli({"2\a"});
    EXPECT_TRUE(Arg.Err.contains("'2\\x07'")) << Arg.Err.toStdString();
    EXPECT_EQ(Arg.Status, 2);
}

TEST(Cli, EachLineIsACalculationOfItsOwn)
{
    struct Row
    {
        const char *Name;
        QStringList Args;
        QByteArray Input;
        QString Out;
    } Rows[] = {
        {"equals added where pending", {}, "2+3\n4*5\n", "5.0000\n20.0000\n"},
        {"an open bracket is closed", {}, "(2+3\n", "5.0000\n"},
        {"all clear before each line", {}, "5\n+1=\n", "5.0000\n1.0000\n"},
        {"an error does not carry over", {}, "1/0\n1+1\n", "Error!\n2.0000\n"},
        {"the memory carries over", {}, "2+3m+\nmr*2\n", "5.0000\n10.0000\n"},
        {"the arguments are one line", {"2+3"}, {}, "5.0000\n"},
        {"arguments in several words", {"2", "+", "3", "*", "4"}, {}, "14.0000\n"},
    };
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Name);
        const CliRun Got = Cli(QStringList{"--each-line"} + R.Args, R.Input);
        EXPECT_EQ(Got.Out, R.Out);
    }
    // The added = is traced like a key.
    EXPECT_EQ(Cli({"--each-line", "--trace"}, "2+3\n").Out, "2\t2\n+\t2.0000\n3\t3\n=\t5.0000\n");
    // -e stays the keys minus e.
    EXPECT_EQ(Cli({"5", "-e", "="}).Out, "2.2817\n");
}

TEST(Cli, JsonFromStandardInputIsAnObjectPerLine)
{
    const CliRun R = Cli({"--json", "--prefix=off"}, "1+1=\n\n5/0=\n2*3\nzork\n");
    EXPECT_EQ(R.Status, 2);
    const QStringList Lines = R.Out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(Lines.size(), 3) << R.Out.toStdString();
    QList<QJsonObject> Objects;
    for (const QString &Line : Lines) {
        QJsonParseError E;
        Objects << QJsonDocument::fromJson(Line.toUtf8(), &E).object();
        EXPECT_EQ(E.error, QJsonParseError::NoError) << Line.toStdString();
    }
    // Each object tells of its own line: display, error, tape and counts.
    EXPECT_EQ(Objects[0]["display"].toString(), "2.0000");
    EXPECT_EQ(Objects[0]["tape"].toArray(), QJsonArray({"1.0000", "+", "1.0000", "=", "2.0000"}));
    EXPECT_EQ(Objects[1]["lastError"].toString(), "Division by Zero");
    EXPECT_EQ(Objects[1]["events"].toObject()["error"].toInt(), 1);
    EXPECT_EQ(Objects[2]["display"].toString(), "3.0000");
    EXPECT_EQ(Objects[2]["lastError"].toString(), "");
    EXPECT_EQ(Objects[2]["tape"].toArray(), QJsonArray({"2.0000", "*", "3.0000"}));
    EXPECT_EQ(Objects[2]["operators"].toString(), "*");
    EXPECT_EQ(Objects[2]["events"].toObject()["error"].toInt(), 0);
}

TEST(Cli, AnswersALineBeforeTheNextArrives)
{
    // A script that writes a line and waits for its answer must get it: the
    // output is not held back until the end of input.
    QProcess P;
    P.setProgram(QStringLiteral(LUMO_CLI_PATH));
    P.setArguments({"--decimal-separator=.", "--thousand-separator=,"});
    P.start();
    for (const auto &[In, Out] :
         {std::pair{"1+1=\n", "2.0000\n"}, std::pair{"*3=\n", "6.0000\n"}}) {
        P.write(In);
        ASSERT_TRUE(P.waitForReadyRead(10000)) << In;
        EXPECT_EQ(P.readLine(), Out);
    }
    P.closeWriteChannel();
    EXPECT_TRUE(P.waitForFinished(10000));
}
